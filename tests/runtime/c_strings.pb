; The values the C example's string actions build in cString, escapes
; resolved: one line per string literal, control characters as \xHH.
EnableExplicit
XIncludeFile "c.lex_lexerout.pbl"

Procedure.s Shown(text.s)
  Protected out.s = "", i.i, c.i
  For i = 1 To Len(text)
    c = Asc(Mid(text, i, 1))
    If c < 32
      out + "\x" + LCase(RSet(Hex(c), 2, "0"))
    Else
      out + Chr(c)
    EndIf
  Next
  ProcedureReturn out
EndProcedure

Define token.i
If OpenConsole() = 0 Or yySetFile(ProgramParameter(0)) = #False
  End 1
EndIf
Repeat
  token = yyLex()
  If token = #yyTokenString
    PrintN(Str(yyLine()) + ": " + Shown(cString))
  EndIf
Until token = #yyEOF Or token = #yyError
yyFree()
