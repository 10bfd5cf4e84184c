%userdata *state
%%
[A-Za-z_][A-Za-z_0-9]*  { ProcedureReturn §Ident }
[0-9]+("."[0-9]+)?  { ProcedureReturn §Number }
