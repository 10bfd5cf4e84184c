; The Unicode example's tokens through the engine, read as UTF-8 text with
; yySetFile(name, #PB_UTF8), in tarnwick-scan's layout. Blanks (rule 4)
; return no token and the end-of-input rule (5) returns #yyEOF, so they
; compare with "tarnwick-scan --utf8 --skip 4,5". The byte-order mark is not
; input: the first token must start at offset 0.
EnableExplicit
XIncludeFile "unicode.lex_lexerout.pbl"
XIncludeFile "token_lines.pbi"

Define token.i, first.i = #True
If yySetFile(ProgramParameter(0), #PB_UTF8) = #False
  PrintN("cannot read " + ProgramParameter(0))
  End 1
EndIf
Repeat
  token = yyLex()
  If first And yyOffset() <> 0
    PrintN("first token at offset " + Str(yyOffset()))
  EndIf
  first = #False
  PrintTokenLine(token, token - #yyTokenIdentifier)
Until token = #yyEOF
yyFree()
