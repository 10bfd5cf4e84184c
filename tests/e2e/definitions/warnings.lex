; warnings: a keyword after the identifier rule, a rule matching the empty
; text, rules shadowed by two and by three earlier rules
%%
[a-z]+    { ProcedureReturn §Ident }
"if"      { ProcedureReturn §If }     ; never: an identifier first
[0-9]*    { ProcedureReturn §Number }

[a-z0-9]  {
  ProcedureReturn §Char     ; never: taken by lines 4 and 6
}
[ \t]+    { }
[a-z0-9 ] { }                        ; never: lines 4, 6 and 11
%%
