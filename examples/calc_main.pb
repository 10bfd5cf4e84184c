; calc_main.pb - prints the tokens that the scanner generated from calc.lex
; finds in calc.txt, and how many numbers it counted.
;
; Generate the scanner first with "tarnwick calc.lex": it writes
; calc.lex_lexerout.pbl and PBTarnwickInc.pbi beside calc.lex. Then compile
; this file as a console program and run it in this folder.

; calc.lex leaves the token values to the program; they must be defined
; before the scanner is included.
Enumeration 1
  #yyTokenNumber
  #yyTokenIf
EndEnumeration

XIncludeFile "calc.lex_lexerout.pbl"

Procedure Report(name.s)
  PrintN(LSet(name, 8) + LSet(yyText(), 6) + "at " + Str(yyLine()) + ":" + Str(yyColumn()))
EndProcedure

Define state.CalcState
Define token.i

If OpenConsole() = 0
  End 1
EndIf
If yySetFile("calc.txt") = #False
  PrintN("Cannot read calc.txt")
  End 1
EndIf

Repeat
  token = yyLex(@state)
  Select token
    Case #yyTokenNumber
      Report("number")
    Case #yyTokenIf
      Report("if")
    Case #yyError
      Report("error")
    Case #yyEOF
      Report("end")
  EndSelect
Until token = #yyEOF

PrintN(Str(state\count) + " numbers")
yyFree()
CloseConsole()
