%utf8
%%
ok { ProcedureReturn §Ok }
