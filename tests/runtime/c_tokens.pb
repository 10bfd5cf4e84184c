; The C example's tokens through the engine, in tarnwick-scan's layout. The
; rule behind a token is told by its kind, its text or the state after it;
; rules whose actions return no token, and the end-of-input rule (35, which
; returns #yyEOF), are left out by "tarnwick-scan --skip".
EnableExplicit
XIncludeFile "c.lex_lexerout.pbl"
XIncludeFile "token_lines.pbi"

; The rule of `text` among the alternatives of the rules first to first + n - 1,
; each a list of words between blanks.
Procedure.i RuleOfWord(text.s, first.i, Array lists.s(1))
  Protected i.i
  For i = 0 To ArraySize(lists())
    If FindString(" " + lists(i) + " ", " " + text + " ")
      ProcedureReturn first + i
    EndIf
  Next
  ProcedureReturn -1
EndProcedure

Dim keywords.s(2)
keywords(0) = "auto break case char const continue default do double else enum extern"
keywords(1) = "float for goto if inline int long register restrict return short signed"
keywords(2) = "sizeof static struct switch typedef union unsigned void volatile while"
Dim operators.s(3)
operators(0) = "... <<= >>= -> ++ -- << >> <= >= == != && || ##"
operators(1) = "*= /= %= += -= &= ^= |="
operators(2) = "+ - * / % < > = ! & | ^ ~ ? : ; , ."
operators(3) = "( ) [ ] { } #"

Define token.i, rule.i
If yySetFile(ProgramParameter(0)) = #False
  PrintN("cannot read " + ProgramParameter(0))
  End 1
EndIf
Repeat
  token = yyLex()
  Select token
    Case #yyTokenDirective : rule = 0
    Case #yyTokenHeader : rule = 1
    Case #yyTokenEndOfDirective : rule = 3
    Case #yyTokenString : rule = 18
    Case #yyTokenCharacter : rule = 21
    Case #yyTokenKeyword : rule = RuleOfWord(yyText(), 22, keywords())
    Case #yyTokenIdentifier : rule = 25
    Case #yyTokenFloat
      rule = 27
      If FindString(yyText(), ".")
        rule = 26
      EndIf
    Case #yyTokenInteger : rule = 28
    Case #yyTokenOperator : rule = RuleOfWord(yyText(), 29, operators())
    Case #yyTokenUnterminated
      ; The end of input in a comment or a string keeps the state; a line
      ; break in a string leaves it.
      If yyState() = #yyStateCOMMENT
        rule = 9
      ElseIf yyState() = #yyStateSTRING
        rule = 20
      Else
        rule = 19
      EndIf
    Default
      rule = -1
  EndSelect
  PrintTokenLine(token, rule)
Until token = #yyEOF Or token = #yyError
yyFree()
