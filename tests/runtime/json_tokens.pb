; The JSON example's tokens through the engine, in tarnwick-scan's layout.
; json.lex returns token N + 1 from rule N; blanks (rule 11) return no token
; and the end-of-input rule (12) returns #yyEOF, so they compare with
; "tarnwick-scan --skip 11,12".
EnableExplicit
XIncludeFile "json.lex_lexerout.pbl"
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
  PrintTokenLine(token, token - #yyTokenBeginObject)
Until token = #yyEOF
yyFree()
