%%
[;,]  { ProcedureReturn 1 }
