; a rule that never wins: each of its texts goes on to a longer match
%%
a(.|<<EOF>>)    { ProcedureReturn §Pair }
"a"             { ProcedureReturn §Single }  ; never: line 3 always goes on
b[^x]|b<<EOF>>  { ProcedureReturn §Pair }
"b"             { ProcedureReturn §Single }  ; wins before an x
%%
