; The prefixed settings example's tokens through the engine, in
; tarnwick-scan's layout: blanks, comments and line ends (rules 2, 4, 5, 6)
; return no token, so they compare with "tarnwick-scan --skip 2,4,5,6".
EnableExplicit
Enumeration 1
  #CfgTokenKey
  #CfgTokenEquals
  #CfgTokenValue
EndEnumeration
XIncludeFile "config.lex_lexerout.pbl"
XIncludeFile "token_lines.pbi"

Define token.i, rule.i
If OpenConsole() = 0
  End 1
EndIf
If CfgSetFile(ProgramParameter(0)) = #False
  PrintN("cannot read " + ProgramParameter(0))
  End 1
EndIf
Repeat
  token = CfgLex()
  Select token
    Case #CfgTokenKey
      rule = 0
    Case #CfgTokenEquals
      rule = 1
    Default
      rule = 3
  EndSelect
  PrintScannerTokenLine(CfgScanner(), token, rule)
Until token = #yyEOF
CfgFree()
