; c.lex - the tokens of C source.
;
; Block comments and string literals are exclusive states: only the rules
; that name COMMENT or STRING are active in them. A preprocessor line starts
; with "#" at the start of a line (blanks may stand before it) and ends at the
; end of the line; PREPROC is inclusive, so the ordinary rules go on working in
; it. A comment or a string is entered by yyPushState and left by yyPopState,
; which returns to INITIAL or to PREPROC, wherever it began.
%context
%xstate COMMENT STRING
%state PREPROC
Enumeration 1
  #yyTokenKeyword
  #yyTokenIdentifier
  #yyTokenInteger
  #yyTokenFloat
  #yyTokenCharacter
  #yyTokenString
  #yyTokenOperator
  #yyTokenDirective
  #yyTokenHeader
  #yyTokenEndOfDirective
  #yyTokenUnterminated
EndEnumeration
; The value of the string literal being read, its escapes resolved.
Global cString.s
%%
<INITIAL>^[ \t]*"#"[ \t]*[a-z]+  { yyBegin(#yyStatePREPROC) : ProcedureReturn §Directive }
<PREPROC>"<"[^>\n]*">"  { ProcedureReturn §Header }
; A backslash before the line break continues the directive on the next line.
<PREPROC>\\\n  { }
<PREPROC>\n  { yyBegin(#yyStateINITIAL) : ProcedureReturn §EndOfDirective }
; Comments give no token.
"/*"  { yyPushState(#yyStateCOMMENT) }
<COMMENT>[^*\n]+  { }
<COMMENT>"*"+[^*/\n]*  { }
<COMMENT>\n  { }
<COMMENT>"*"+"/"  { yyPopState() }
<COMMENT><<EOF>>  { ProcedureReturn §Unterminated }
"//"[^\n]*  { }
; A string literal is read in pieces; cString collects its value.
\"  { cString = "" : yyPushState(#yyStateSTRING) }
<STRING>[^"\\\n]+  { cString + yyText() }
<STRING>\\[abfnrtv]  {
  Select Mid(yyText(), 2, 1)
    Case "a" : cString + Chr(7)
    Case "b" : cString + Chr(8)
    Case "f" : cString + Chr(12)
    Case "n" : cString + Chr(10)
    Case "r" : cString + Chr(13)
    Case "t" : cString + Chr(9)
    Case "v" : cString + Chr(11)
  EndSelect
}
<STRING>\\x[0-9a-fA-F]+  { cString + Chr(Val("$" + Mid(yyText(), 3))) }
<STRING>\\[0-7]([0-7][0-7]?)?  {
  Protected i, code
  For i = 2 To yyLength()
    code = code * 8 + Asc(Mid(yyText(), i, 1)) - '0'
  Next
  cString + Chr(code)
}
<STRING>\\\n  { }
<STRING>\\[^\n]  { cString + Mid(yyText(), 2) }
<STRING>\"  { yyPopState() : ProcedureReturn §String }
; A line break ends an unterminated literal and is scanned again where the
; literal began: in a directive it still ends the directive.
<STRING>\n  { yyLess(0) : yyPopState() : ProcedureReturn §Unterminated }
<STRING><<EOF>>  { ProcedureReturn §Unterminated }
'([^'\\\n]|\\[^\n])+'  { ProcedureReturn §Character }
auto|break|case|char|const|continue|default|do|double|else|enum|extern  { ProcedureReturn §Keyword }
float|for|goto|if|inline|int|long|register|restrict|return|short|signed  { ProcedureReturn §Keyword }
sizeof|static|struct|switch|typedef|union|unsigned|void|volatile|while  { ProcedureReturn §Keyword }
[A-Za-z_][A-Za-z0-9_]*  { ProcedureReturn §Identifier }
[0-9]+"."[0-9]*([eE][+-]?[0-9]+)?[fFlL]?|"."[0-9]+([eE][+-]?[0-9]+)?[fFlL]?  { ProcedureReturn §Float }
[0-9]+[eE][+-]?[0-9]+[fFlL]?  { ProcedureReturn §Float }
0[xX][0-9a-fA-F]+[uUlL]*|[0-9]+[uUlL]*  { ProcedureReturn §Integer }
"..."|"<<="|">>="|"->"|"++"|"--"|"<<"|">>"|"<="|">="|"=="|"!="|"&&"|"||"|"##"  { ProcedureReturn §Operator }
"*="|"/="|"%="|"+="|"-="|"&="|"^="|"|="  { ProcedureReturn §Operator }
"+"|"-"|"*"|"/"|"%"|"<"|">"|"="|"!"|"&"|"|"|"^"|"~"|"?"|":"|";"|","|"."  { ProcedureReturn §Operator }
"("|")"|"["|"]"|"{"|"}"|"#"  { ProcedureReturn §Operator }
[ \t]+  { }
\n  { }
<<EOF>>  { ProcedureReturn §<EOF> }
%%
