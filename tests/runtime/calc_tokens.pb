; The calculator example's tokens through the engine, in tarnwick-scan's
; layout. Blanks (rule 2) return no token, and the end-of-input rule (3)
; returns #yyEOF, so they compare with "tarnwick-scan --skip 2,3".
EnableExplicit
Enumeration 1
  #yyTokenNumber
  #yyTokenIf
EndEnumeration
XIncludeFile "calc.lex_lexerout.pbl"
XIncludeFile "token_lines.pbi"

Define state.CalcState
Define token.i
If OpenConsole() = 0
  End 1
EndIf
If yySetFile(ProgramParameter(0)) = #False
  PrintN("cannot read " + ProgramParameter(0))
  End 1
EndIf
Repeat
  token = yyLex(@state)
  Select token
    Case #yyTokenNumber
      PrintTokenLine(token, 0)
    Case #yyTokenIf
      PrintTokenLine(token, 1)
    Default
      PrintTokenLine(token, -1)
  EndSelect
Until token = #yyEOF
If state\count <> 4
  PrintN("counted " + Str(state\count) + " numbers")
EndIf
yyFree()
