; The tokens of states.lex through the engine, in tarnwick-scan's layout: every
; action returns 100 plus its rule number.
EnableExplicit
XIncludeFile "states.lex_lexerout.pbl"
XIncludeFile "token_lines.pbi"

Define token.i
If OpenConsole() = 0
  End 1
EndIf
If yySetFile(ProgramParameter(0)) = #False
  PrintN("cannot read " + ProgramParameter(0))
  End 1
EndIf
Repeat
  token = yyLex()
  If token >= 100
    PrintTokenLine(token, token - 100)
  Else
    PrintTokenLine(token, -1)
  EndIf
Until token = #yyEOF
yyFree()
