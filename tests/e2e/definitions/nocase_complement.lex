%nocase2 extra
%%
[^a] { ProcedureReturn 1 }
