%%
[\t\n "'_~] { ProcedureReturn 1 }
[^\t\n "'_~a] { ProcedureReturn 2 }
