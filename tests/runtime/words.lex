; words and numbers under the prefix Word, with compact tables, a start
; condition and a line anchor, so that a prefixed scanner binds every kind
; of table.
%prefix Word
%compact
%state QUOTE
%context
%%
^[a-z]+  { ProcedureReturn §First }
[a-z]+  { ProcedureReturn §Word }
[0-9]+ / "%"  { ProcedureReturn §Percent }
[0-9]+  { ProcedureReturn §Number }
"'"  { If WordState() = #WordStateQUOTE : WordPopState() : Else : WordPushState(#WordStateQUOTE) : EndIf : ProcedureReturn §Quote }
<QUOTE>[ ]+  { ProcedureReturn §Space }
[ \t\n%]+  { }
%%
