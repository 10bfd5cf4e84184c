%%
(a|b  { ProcedureReturn 1 }
