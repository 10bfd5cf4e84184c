; include_main.pb - prints the words and numbers of include_files.txt and of
; the files it includes (include_a.txt, which includes include_b.txt), with
; the depth, line and column of each in its own file.
;
; Generate the scanner first with "tarnwick include_files.lex", then compile
; this file as a console program and run it in this folder.

EnableExplicit

Enumeration 1
  #yyTokenWord
  #yyTokenNumber
  #yyTokenMissing
EndEnumeration

XIncludeFile "include_files.lex_lexerout.pbl"

Define token.i
If OpenConsole() = 0
  End 1
EndIf
If yySetFile("include_files.txt") = #False
  PrintN("cannot read include_files.txt")
  End 1
EndIf
Repeat
  token = yyLex()
  Select token
    Case #yyTokenMissing
      PrintN("depth " + Str(yyInputDepth()) + "  " + Str(yyLine()) + ":" + Str(yyColumn()) + "  cannot include: " + yyText())
    Case #yyTokenWord, #yyTokenNumber
      PrintN("depth " + Str(yyInputDepth()) + "  " + Str(yyLine()) + ":" + Str(yyColumn()) + "  " + yyText())
  EndSelect
Until token = #yyEOF
yyFree()
CloseConsole()
