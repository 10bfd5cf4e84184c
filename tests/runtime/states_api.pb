; The start-condition calls from the program: yyBegin (an unknown number is
; ignored), pushes and pops down to an empty stack, the condition surviving
; yyLex calls and reset by yySetString.
EnableExplicit
XIncludeFile "states.lex_lexerout.pbl"

Define token.i
yySetString("abc")
PrintN(Str(yyState()))
yyBegin(#yyStateWORDS)
PrintN(Str(yyState()))
yyBegin(99)
PrintN(Str(yyState()))
yyPushState(#yyStateQUOTE)
yyPushState(#yyStateCOMMENT)
PrintN(Str(yyState()))
yyPopState()
PrintN(Str(yyState()))
yyPopState()
PrintN(Str(yyState()))
yyPopState()
PrintN(Str(yyState()))
yyBegin(#yyStateWORDS)
token = yyLex()
PrintN(Str(token) + " " + yyText())
PrintN(Str(yyState()))
yySetString("abc")
PrintN(Str(yyState()))
token = yyLex()
PrintN(Str(token) + " " + yyText())
yyFree()
