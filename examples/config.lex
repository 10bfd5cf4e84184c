; key = value settings. The scanner has its own names (%prefix Cfg), so a
; program can hold it beside other scanners: CfgLex(), CfgSetFile(), ...
%prefix Cfg
%xstate VALUE
%%
[A-Za-z_][A-Za-z0-9_]*  { ProcedureReturn §Key }
"="  { CfgBegin(#CfgStateVALUE) : ProcedureReturn §Equals }
<VALUE>[ \t]+  { }
<VALUE>[^ \t\n][^\n]*  { ProcedureReturn §Value }
<VALUE>\n  { CfgBegin(#CfgStateINITIAL) }
"#"[^\n]*  { }
[ \t\n]+  { }
%%
