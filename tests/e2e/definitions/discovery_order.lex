%%
abc { ProcedureReturn 1 }
bd { ProcedureReturn 2 }
