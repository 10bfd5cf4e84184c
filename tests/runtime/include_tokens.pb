; The include example three deep: include_files.txt includes include_a.txt,
; which includes include_b.txt, which names a file that does not exist.
; Every token is printed with the depth it was read at; the token texts are
; those of the three files flattened, and each file keeps its own lines and
; columns, the outer ones going on where they stopped.
EnableExplicit
Enumeration 1
  #yyTokenWord
  #yyTokenNumber
  #yyTokenMissing
EndEnumeration
XIncludeFile "include_files.lex_lexerout.pbl"
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
  PrintScannerTokenLine(yyScanner(), token, token, "depth " + Str(yyInputDepth()))
Until token = #yyEOF
; A pop with no input pushed changes nothing.
If yyPopInput() <> #False Or yyInputDepth() <> 0
  PrintN("popped below the outermost input")
EndIf
yyFree()
