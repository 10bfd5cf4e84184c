; Start conditions through the engine: an inclusive and two exclusive
; states, <*>, push and pop (an empty pop too), yyLess and the end of input
; per state. Every action returns 100 plus its rule number.
%state WORDS
%xstate COMMENT QUOTE
%%
"/*"              { yyPushState(#yyStateCOMMENT) : ProcedureReturn 100 }
<COMMENT>"*/"     { yyPopState() : ProcedureReturn 101 }
<COMMENT>[^*]+    { ProcedureReturn 102 }
<COMMENT>"*"      { ProcedureReturn 103 }
<COMMENT><<EOF>>  { ProcedureReturn 104 }
"w:"              { yyBegin(#yyStateWORDS) : ProcedureReturn 105 }
"pop"             { yyPopState() : ProcedureReturn 106 }
<WORDS>[a-z]+     { ProcedureReturn 107 }
[0-9]+            { ProcedureReturn 108 }
"ab"[0-9]+        { yyLess(2) : ProcedureReturn 109 }
"'"               { yyPushState(#yyStateQUOTE) : ProcedureReturn 110 }
<QUOTE>[a-z ]+    { ProcedureReturn 111 }
<QUOTE>"'"        { yyPopState() : ProcedureReturn 112 }
<*>"!"            { ProcedureReturn 113 }
[ \n]+            { ProcedureReturn 114 }
<<EOF>>           { ProcedureReturn 115 }
%%
