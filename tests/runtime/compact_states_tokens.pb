; The tokens of compact_states.lex through the engine, in tarnwick-scan's layout.
; Each rule N returns #yyTokenR0 + N; blanks (rule 8) return no token, so
; they compare with "tarnwick-scan --skip 8".
EnableExplicit
XIncludeFile "compact_states.lex_lexerout.pbl"
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
  PrintTokenLine(token, token - #yyTokenR0)
Until token = #yyEOF
yyFree()
