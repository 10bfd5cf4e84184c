; The here-document example's tokens through the engine, in tarnwick-scan's
; layout. The rule behind a token is told by its kind and the state it was
; found in (blanks, rule 16, return no token and change no state); blanks
; and the end-of-input rule (18, which returns #yyEOF) are left out by
; "tarnwick-scan --skip".
EnableExplicit
XIncludeFile "heredoc.lex_lexerout.pbl"
XIncludeFile "token_lines.pbi"

Define token.i, rule.i, before.i, inText.i
If yySetFile(ProgramParameter(0)) = #False
  PrintN("cannot read " + ProgramParameter(0))
  End 1
EndIf
Repeat
  before = yyState()
  inText = Bool(before = #yyStateBODY Or before = #yyStateQUOTED)
  token = yyLex()
  Select token
    Case #yyTokenHereDocument : rule = 0
    Case #yyTokenEndOfDocument : rule = 2
    Case #yyTokenVariable
      rule = 13
      If inText
        rule = 3
      EndIf
    Case #yyTokenOpenSubstitution
      rule = 11
      If inText
        rule = 4
      EndIf
    Case #yyTokenText
      rule = 9
      If before = #yyStateBODY
        rule = 5
      EndIf
    Case #yyTokenUnterminated
      rule = 10
      If before = #yyStateBODY
        rule = 6
      EndIf
    Case #yyTokenQuote
      rule = 7
      If before = #yyStateQUOTED
        rule = 8
      EndIf
    Case #yyTokenCloseSubstitution : rule = 12
    Case #yyTokenOperator : rule = 14
    Case #yyTokenWord : rule = 15
    Case #yyTokenNewline
      rule = 17
      If before = #yyStatePENDING
        rule = 1
      EndIf
    Default
      rule = -1
  EndSelect
  PrintTokenLine(token, rule)
Until token = #yyEOF Or token = #yyError
yyFree()
