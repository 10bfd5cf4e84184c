; json.lex - the tokens of JSON text.
Enumeration 1
  #yyTokenBeginObject
  #yyTokenEndObject
  #yyTokenBeginArray
  #yyTokenEndArray
  #yyTokenColon
  #yyTokenComma
  #yyTokenString
  #yyTokenNumber
  #yyTokenTrue
  #yyTokenFalse
  #yyTokenNull
EndEnumeration
%%
"{"  { ProcedureReturn §BeginObject }
"}"  { ProcedureReturn §EndObject }
"["  { ProcedureReturn §BeginArray }
"]"  { ProcedureReturn §EndArray }
":"  { ProcedureReturn §Colon }
","  { ProcedureReturn §Comma }
; A string holds no line break; escapes are the six of the standard plus \uXXXX.
\"([^"\\\n]|\\(["\\/bfnrt]|u[0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F]))*\"  { ProcedureReturn §String }
-?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?  { ProcedureReturn §Number }
true  { ProcedureReturn §True }
false  { ProcedureReturn §False }
null  { ProcedureReturn §Null }
[ \t\n]+  { ProcedureReturn -1 }
<<EOF>>  { ProcedureReturn §<EOF> }
