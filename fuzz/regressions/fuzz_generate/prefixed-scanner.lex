%prefix Cfg
%xstate VALUE
%%
[a-z]+ { CfgBegin(#CfgStateVALUE) : ProcedureReturn §Key }
<VALUE>[^\n]+ { CfgBegin(#CfgStateINITIAL) }
