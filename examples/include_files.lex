; words and numbers over nested files: a line "include NAME" goes on in the
; file NAME and comes back after it, as an include directive does. Each
; file has its own lines and columns; <<EOF>> matches only at the end of the
; outermost file.
%%
"include" [ ]+ [^ \t\n]+  { If yyPushFile(Trim(Mid(yyText(), 8))) = #False : ProcedureReturn §Missing : EndIf }
[A-Za-z]+  { ProcedureReturn §Word }
[0-9]+  { ProcedureReturn §Number }
[ \t\n]+  { }
<<EOF>>  { ProcedureReturn §<EOF> }
%%
