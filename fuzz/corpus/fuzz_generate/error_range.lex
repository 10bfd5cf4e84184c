%%
"a"  { ProcedureReturn 1 }
[z-a]  { ProcedureReturn 2 }
