; Definitions, counts and case per part in a case-sensitive definition.
%define D [0-9]
%define H [0-9a-fA-F]
%define L [a-z]
%define WORD {L}+
%%
(?i:select)|[a-z]+  { ProcedureReturn §Word }
{D}{2,3}  { ProcedureReturn §Number }
#{H}{2}({H}{2})?  { ProcedureReturn §Color }
(?i:go{D}{1,}{L})  { ProcedureReturn §Label }
@{WORD}(-{WORD}){0,2}  { ProcedureReturn §Name }
x{0}y{0,0}"!"  { ProcedureReturn §Bang }
[ \t\n]+  { }
<<EOF>>  { ProcedureReturn §<EOF> }
