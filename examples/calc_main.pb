; calc_main.pb - prints the tokens that the scanner generated from calc.lex
; finds in calc.txt, and how many numbers it counted.
;
; Generate the scanner first with "tarnwick calc.lex": it writes
; calc.lex_lexerout.pbl and PBTarnwickInc.pbi beside calc.lex. Then compile
; this file as a console program and run it in this folder.

EnableExplicit

; calc.lex leaves the token values to the program; they must be defined
; before the scanner is included.
Enumeration 1
  #yyTokenNumber
  #yyTokenIf
EndEnumeration

XIncludeFile "calc.lex_lexerout.pbl"

Procedure Report(name.s)
  Protected text.s = yyText()
  ; LSet cuts a longer text to the width, so only short text is padded.
  If Len(text) < 6
    text = LSet(text, 6)
  Else
    text = text + " "
  EndIf
  PrintN(LSet(name, 8) + text + "at " + Str(yyLine()) + ":" + Str(yyColumn()))
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
