%%
"a"  { ProcedureReturn 1 }
"b"  {
  Debug 2
