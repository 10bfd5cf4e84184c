; unicode.lex - tokens of a small language written in any script: identifiers
; of Unicode letters, numbers in the digits of any script, «strings» between
; guillemets, operators. The file is UTF-8 with a byte-order mark, as the
; PureBasic IDE saves it, so its rules are over characters: scan UTF-8 text
; with yySetFile(name, #PB_UTF8), and yyColumn() counts characters.
Enumeration 1
  #yyTokenIdentifier
  #yyTokenNumber
  #yyTokenString
  #yyTokenOperator
EndEnumeration
%%
; a letter or "_", then letters, marks (accents, vowel signs), digits or "_"
[[:L:]_][[:L:][:M:][:Nd:]_]*  { ProcedureReturn §Identifier }
; decimal digits of any script: 42, ٤٢, ४२
[[:Nd:]]+(\.[[:Nd:]]+)?  { ProcedureReturn §Number }
«[^«»\n]*»  { ProcedureReturn §String }
[-+*/=<>(),≤≥≠×÷→]  { ProcedureReturn §Operator }
; blanks of every script (no-break and ideographic spaces too) and line ends:
; no ProcedureReturn, so no token
[[:Zs:]\t\n]+  { }
<<EOF>>  { ProcedureReturn §<EOF> }
%%
