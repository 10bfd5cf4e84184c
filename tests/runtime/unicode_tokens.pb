; The Unicode example's tokens through the engine, read as UTF-8 text with
; yySetFile(name, #PB_UTF8), in tarnwick-scan's layout. Blanks (rule 4)
; return no token and the end-of-input rule (5) returns #yyEOF, so they
; compare with "tarnwick-scan --utf8 --skip 4,5". The byte-order mark is not
; input: the first token must start at offset 0. With "ascii" as the second
; parameter the file is read with #PB_Ascii (tarnwick-scan without --utf8).
EnableExplicit
XIncludeFile "unicode.lex_lexerout.pbl"
XIncludeFile "token_lines.pbi"

Define token.i, first.i = #True, format.i = #PB_UTF8
If OpenConsole() = 0
  End 1
EndIf
If ProgramParameter(1) = "ascii"
  format = #PB_Ascii
EndIf
If yySetFile(ProgramParameter(0), format) = #False
  PrintN("cannot read " + ProgramParameter(0))
  End 1
EndIf
Repeat
  token = yyLex()
  If first = #True And yyOffset() <> 0
    PrintN("first token at offset " + Str(yyOffset()))
  EndIf
  first = #False
  PrintTokenLine(token, token - #yyTokenIdentifier)
Until token = #yyEOF
yyFree()
