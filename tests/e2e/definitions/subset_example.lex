%%
a { ProcedureReturn §A }
[ab]* { ProcedureReturn §B }
