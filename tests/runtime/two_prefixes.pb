; Three scanners in one program, interleaved a token at a time over three
; inputs: calc.lex without a prefix, config.lex ("%prefix Cfg", a start
; condition changed by its actions) and words.lex ("%prefix Word", compact
; tables, a condition stack, a line anchor and trailing context). Each must
; give its own input's tokens, lines and columns, as if it ran alone.
EnableExplicit
Enumeration 1
  #yyTokenNumber
  #yyTokenIf
EndEnumeration
Enumeration 1
  #CfgTokenKey
  #CfgTokenEquals
  #CfgTokenValue
EndEnumeration
Enumeration 1
  #WordTokenFirst
  #WordTokenWord
  #WordTokenPercent
  #WordTokenNumber
  #WordTokenQuote
  #WordTokenSpace
EndEnumeration
XIncludeFile "calc.lex_lexerout.pbl"
XIncludeFile "config.lex_lexerout.pbl"
XIncludeFile "words.lex_lexerout.pbl"
XIncludeFile "token_lines.pbi"

Define state.CalcState
Define calc.i = -1, cfg.i = -1, word.i = -1
If OpenConsole() = 0
  End 1
EndIf
If yySetFile(ProgramParameter(0)) = #False Or CfgSetFile("config.txt") = #False Or WordSetFile("words.txt") = #False
  PrintN("cannot read the inputs")
  End 1
EndIf
Repeat
  If calc <> #yyEOF
    calc = yyLex(@state)
    PrintScannerTokenLine(yyScanner(), calc, calc, "calc")
  EndIf
  If cfg <> #yyEOF
    cfg = CfgLex()
    PrintScannerTokenLine(CfgScanner(), cfg, cfg, "cfg")
  EndIf
  If word <> #yyEOF
    word = WordLex()
    PrintScannerTokenLine(WordScanner(), word, word, "word")
  EndIf
Until calc = #yyEOF And cfg = #yyEOF And word = #yyEOF
yyFree()
CfgFree()
WordFree()
