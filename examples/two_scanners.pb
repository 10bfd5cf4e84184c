; two_scanners.pb - two scanners in one program: the calculator scanner of
; calc.lex (no prefix: yyLex(), yyText() ...) and the settings scanner of
; config.lex ("%prefix Cfg": CfgLex(), CfgText() ...). They read calc.txt and
; config.txt in turns, a token from each, and each keeps its own input,
; position, line, column and start condition.
;
; Generate both scanners first with "tarnwick calc.lex" and "tarnwick
; config.lex" (one PBTarnwickInc.pbi serves both), then compile this file as
; a console program and run it in this folder. The source without a prefix
; is included before the prefixed one.

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

XIncludeFile "calc.lex_lexerout.pbl"
XIncludeFile "config.lex_lexerout.pbl"

Define state.CalcState
Define calc.i, cfg.i

If OpenConsole() = 0
  End 1
EndIf
If yySetFile("calc.txt") = #False Or CfgSetFile("config.txt") = #False
  PrintN("cannot read calc.txt or config.txt")
  End 1
EndIf
Repeat
  calc = yyLex(@state)
  If calc <> #yyEOF
    PrintN("calc   " + Str(yyLine()) + ":" + Str(yyColumn()) + "  " + yyText())
  EndIf
  cfg = CfgLex()
  If cfg <> #yyEOF
    PrintN("config " + Str(CfgLine()) + ":" + Str(CfgColumn()) + "  " + CfgText())
  EndIf
Until calc = #yyEOF And cfg = #yyEOF
PrintN(Str(state\count) + " numbers")
yyFree()
CfgFree()
CloseConsole()
