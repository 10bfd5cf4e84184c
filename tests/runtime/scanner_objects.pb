; Scanner objects and memory. Two scanners made with yyNewScanner read the
; input file and a string in turns beside the default scanner, each with its
; own position, line and condition stack; then inputs are pushed and popped
; by the ten thousand, on the default scanner and on an object that is
; deleted with inputs still pushed. count_blocks.pbi counts every block the
; engine allocates: none may be left at the end.
EnableExplicit
XIncludeFile "count_blocks.pbi"
Enumeration 1
  #yyTokenNumber
  #yyTokenIf
EndEnumeration
XIncludeFile "calc.lex_lexerout.pbl"
XIncludeFile "token_lines.pbi"

Define state.CalcState
Define *a = yyNewScanner()
Define *b = yyNewScanner()
Define ta.i = -1, tb.i = -1, i.i, count.i, token.i

If OpenConsole() = 0
  End 1
EndIf
yyScannerSetFile(*a, ProgramParameter(0))
yyScannerSetString(*b, "7" + #LF$ + "iF 8")
yySetString("99")
Repeat
  If ta <> #yyEOF
    ta = yyScannerLex(*a, @state)
    PrintScannerTokenLine(*a, ta, ta, "a")
  EndIf
  If tb <> #yyEOF
    tb = yyScannerLex(*b, @state)
    PrintScannerTokenLine(*b, tb, tb, "b")
  EndIf
Until ta = #yyEOF And tb = #yyEOF
token = yyLex(@state)
PrintTokenLine(token, token)
yyDeleteScanner(*a)
yyDeleteScanner(*b)
PrintN("after deleting the objects: " + Str(CountBlocksLive) + " blocks besides the default scanner's input")

; 10,000 inputs deep, scanned out one by one.
yySetString("")
For i = 1 To 10000
  yyPushString("1 ")
Next
PrintN("depth " + Str(yyInputDepth()))
count = 0
Repeat
  token = yyLex(@state)
  If token = #yyTokenNumber
    count = count + 1
  EndIf
Until token = #yyEOF
PrintN(Str(count) + " numbers, depth " + Str(yyInputDepth()))

; 10,000 pushed and popped at once, of every kind, and the condition stack.
For i = 1 To 10000
  yyPushBuffer(?bufferText, 5)
  yyPushFile(ProgramParameter(0))
  yyPushString("if")
  yyPopInput()
  yyPopInput()
  yyPopInput()
  yyPushState(#yyStateINITIAL)
Next
PrintN("depth " + Str(yyInputDepth()) + ", pushed a file that is not there: " + Str(yyPushFile("no such file")))
yyFree()
PrintN("after yyFree: " + Str(CountBlocksLive) + " blocks")

; An object deleted with inputs still pushed frees them all.
*a = yyNewScanner()
yyScannerSetString(*a, "1")
For i = 1 To 10000
  yyScannerPushString(*a, "if 2")
Next
yyScannerLex(*a, @state)
yyDeleteScanner(*a)
PrintN("after deleting a deep object: " + Str(CountBlocksLive) + " blocks")

DataSection
  bufferText:
  Data.a '1', '2', ' ', 'i', 'f'
EndDataSection
