%%
"a"  { ProcedureReturn 1 }	; tab before comment
