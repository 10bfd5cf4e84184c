; Start conditions, a line anchor, trailing context and yyLess for the engine
; tests: the engine must walk the start and cut tables in both layouts.
%xstate COMMENT
%context
Enumeration 1
  #yyTokenR0
  #yyTokenR1
  #yyTokenR2
  #yyTokenR3
  #yyTokenR4
  #yyTokenR5
  #yyTokenR6
  #yyTokenR7
EndEnumeration
%%
"/*"  { yyBegin(#yyStateCOMMENT) : ProcedureReturn §R0 }
<COMMENT>"*/"  { yyBegin(#yyStateINITIAL) : ProcedureReturn §R1 }
<COMMENT>[^*]+  { ProcedureReturn §R2 }
<COMMENT>"*"  { ProcedureReturn §R3 }
^"#"[a-z]+  { ProcedureReturn §R4 }
[a-z]+/"("  { ProcedureReturn §R5 }
[a-z]+[0-9]+  { yyLess(1) : ProcedureReturn §R6 }
[a-z]+|[()#0-9]  { ProcedureReturn §R7 }
[ \t\n]+  { }
%%
