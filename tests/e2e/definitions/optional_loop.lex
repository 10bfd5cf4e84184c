%%
(ab+)? { ProcedureReturn 1 }
