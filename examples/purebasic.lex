; purebasic.lex - the tokens of PureBasic source code.
;
; Keywords are found in any letter case, as the compiler does; a keyword wins
; over an identifier of the same length because its rule comes first, and a
; longer identifier such as "Ifs" wins over the keyword "If".
%nocase
%define NAME [a-z_][a-z0-9_]*$?
%define DIGITS [0-9]+
Enumeration 1
  #yyTokenNewline
  #yyTokenKeyword
  #yyTokenIdentifier
  #yyTokenConstant
  #yyTokenInteger
  #yyTokenFloat
  #yyTokenString
  #yyTokenCharacter
  #yyTokenOperator
EndEnumeration
%%
; Comments and blanks give no token.
";"[^\n]*  { ProcedureReturn -1 }
[ \t]+  { ProcedureReturn -1 }
\n  { ProcedureReturn §Newline }
If|Else|ElseIf|EndIf|For|ForEach|Next|To|Step|While|Wend|Repeat|Until|ForEver  { ProcedureReturn §Keyword }
Select|Case|Default|EndSelect|Break|Continue|End|And|Or|XOr|Not  { ProcedureReturn §Keyword }
Procedure|ProcedureReturn|EndProcedure|Declare|Prototype|Define|Protected|Global|Shared|Static  { ProcedureReturn §Keyword }
Structure|EndStructure|Enumeration|EndEnumeration|NewList|NewMap|Dim|Debug|EnableExplicit  { ProcedureReturn §Keyword }
DataSection|EndDataSection|Data|IncludeFile|XIncludeFile  { ProcedureReturn §Keyword }
{NAME}  { ProcedureReturn §Identifier }
#{NAME}  { ProcedureReturn §Constant }
{DIGITS}  { ProcedureReturn §Integer }
$[0-9a-f]+  { ProcedureReturn §Integer }
%[01]+  { ProcedureReturn §Integer }
{DIGITS}\.{DIGITS}(e[+-]?{DIGITS})?  { ProcedureReturn §Float }
\"[^"\n]*\"  { ProcedureReturn §String }
~\"([^"\\\n]|\\.)*\"  { ProcedureReturn §String }
'[^'\n]+'  { ProcedureReturn §Character }
"<>"|"<="|">="|"<<"|">>"|"="|"<"|">"|"+"|"-"|"*"|"/"|"&"|"|"|"!"|"~"|"%"  { ProcedureReturn §Operator }
"("|")"|"["|"]"|","|"."|"\"|":"|"@"|"?"  { ProcedureReturn §Operator }
<<EOF>>  { ProcedureReturn §<EOF> }
%%
; The name of a token, for messages.
Procedure.s TokenName(token.i)
  Select token
    Case #yyTokenNewline : ProcedureReturn "newline"
    Case #yyTokenKeyword : ProcedureReturn "keyword"
    Case #yyTokenIdentifier : ProcedureReturn "identifier"
    Case #yyTokenConstant : ProcedureReturn "constant"
    Case #yyTokenInteger : ProcedureReturn "integer"
    Case #yyTokenFloat : ProcedureReturn "float"
    Case #yyTokenString : ProcedureReturn "string"
    Case #yyTokenCharacter : ProcedureReturn "character"
    Case #yyTokenOperator : ProcedureReturn "operator"
    Case #yyEOF : ProcedureReturn "end of input"
  EndSelect
  ProcedureReturn "unexpected character"
EndProcedure
