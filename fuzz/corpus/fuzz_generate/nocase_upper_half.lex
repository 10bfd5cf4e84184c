%nocase
%%
"été"  { ProcedureReturn §Ete }
[à-þ]+  { ProcedureReturn §Lower }
š|ÿ|ß|µ  { ProcedureReturn §Odd }
[a-z_]+  { ProcedureReturn §Word }
.  { Debug "§ stays" : ProcedureReturn §Any }
