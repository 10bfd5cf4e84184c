; token_lines.pbi - prints the token yyLex just returned as one line in
; tarnwick-scan's layout, so an engine run can be compared with the preview
; tool's output line for line:
;   rule N  line L  col C  "TEXT"
;   error  line L  col C  "TEXT"
;   eof  line L  col C
; TEXT is escaped as tarnwick-scan escapes it. It is taken from the engine's
; own copy of the input (the bytes it scanned), since yyText() cannot show a
; malformed UTF-8 byte. Include it after the generated scanner; the main
; program opens the console.

; The length (2 to 4) of the well-formed UTF-8 sequence at `*at` with
; `left` bytes from there to the end, or 1 when none starts there.
Procedure.i TokenLinesUtf8Length(*at, left.i)
  Protected lead.i = PeekA(*at)
  Protected count.i, low.i = $80, high.i = $BF, i.i
  If lead >= $C2 And lead <= $DF
    count = 2
  ElseIf lead >= $E0 And lead <= $EF
    count = 3
    If lead = $E0
      low = $A0
    ElseIf lead = $ED
      high = $9F
    EndIf
  ElseIf lead >= $F0 And lead <= $F4
    count = 4
    If lead = $F0
      low = $90
    ElseIf lead = $F4
      high = $8F
    EndIf
  Else
    ProcedureReturn 1
  EndIf
  If count > left
    ProcedureReturn 1
  EndIf
  For i = 1 To count - 1
    If PeekA(*at + i) < low Or PeekA(*at + i) > high
      ProcedureReturn 1
    EndIf
    low = $80
    high = $BF
  Next
  ProcedureReturn count
EndProcedure

Procedure.s TokenLinesText(*scanner.__yylexerScanner)
  Protected *at = *scanner\tokBytes + yyScannerOffset(*scanner)
  Protected left.i = yyScannerLength(*scanner)
  Protected out.s = "", c.i, n.i
  While left > 0
    c = PeekA(*at)
    n = 1
    If *scanner\tokFormat = #PB_UTF8
      n = TokenLinesUtf8Length(*at, left)
    EndIf
    If n > 1
      out = out + PeekS(*at, n, #PB_UTF8 | #PB_ByteLength)
    ElseIf c = '"'
      out = out + "\" + Chr(34)
    ElseIf c = '\'
      out = out + "\\"
    ElseIf c = 10
      out = out + "\n"
    ElseIf c = 13
      out = out + "\r"
    ElseIf c = 9
      out = out + "\t"
    ElseIf c >= 32 And c < 127
      out = out + Chr(c)
    Else
      out = out + "\x" + LCase(RSet(Hex(c), 2, "0"))
    EndIf
    *at = *at + n
    left = left - n
  Wend
  ProcedureReturn out
EndProcedure

; `rule` is the number of the rule whose action returned `token` (rules count
; from 0 in file order); it is not used for #yyError and #yyEOF. `label`, when
; not empty, goes before the line.
Procedure PrintScannerTokenLine(*scanner, token.i, rule.i, label.s = "")
  Protected where.s = "line " + Str(yyScannerLine(*scanner)) + "  col " + Str(yyScannerColumn(*scanner))
  Protected text.s = Chr(34) + TokenLinesText(*scanner) + Chr(34)
  If label <> ""
    label = label + "  "
  EndIf
  If token = #yyEOF
    PrintN(label + "eof  " + where)
  ElseIf token = #yyError
    PrintN(label + "error  " + where + "  " + text)
  Else
    PrintN(label + "rule " + Str(rule) + "  " + where + "  " + text)
  EndIf
EndProcedure

; The same for the default scanner, in a program that has one.
CompilerIf Defined(yyScanner, #PB_Procedure)
  Procedure PrintTokenLine(token.i, rule.i)
    PrintScannerTokenLine(yyScanner(), token, rule)
  EndProcedure
CompilerEndIf
