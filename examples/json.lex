; json.lex - the tokens of JSON text.
%define HEX [0-9a-fA-F]
%define DIGITS [0-9]+
%define INTEGER -?(0|[1-9][0-9]*)
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
\"([^"\\\n]|\\(["\\/bfnrt]|u{HEX}{4}))*\"  { ProcedureReturn §String }
{INTEGER}(\.{DIGITS})?([eE][+-]?{DIGITS})?  { ProcedureReturn §Number }
true  { ProcedureReturn §True }
false  { ProcedureReturn §False }
null  { ProcedureReturn §Null }
[ \t\n]+  { ProcedureReturn -1 }
<<EOF>>  { ProcedureReturn §<EOF> }
