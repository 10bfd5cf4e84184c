%%
"if" { ProcedureReturn §If }
[a-z]+ { ProcedureReturn §Name }
