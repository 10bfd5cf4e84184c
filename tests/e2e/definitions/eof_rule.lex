%%
<<EOF>> { ProcedureReturn §<EOF> }
a+ { ProcedureReturn §A }
