; Schlüsselwörter in jeder Schreibweise
%utf8
%NoCase
%%
"straße"  { ProcedureReturn §Street }
"σοφία"  { ProcedureReturn §Wisdom }
ǆ  { ProcedureReturn §Dzh }
[a-z]+  { ProcedureReturn §Word }
[ \n]+  { }
