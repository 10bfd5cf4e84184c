%%
b { ProcedureReturn 1 }
a|{ ProcedureReturn 2 }
