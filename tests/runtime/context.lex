; Line anchors and trailing context through the engine, on CR LF and LF
; lines. Every action returns 100 plus its rule number.
%context
%%
^"#"[a-z]+          { ProcedureReturn 100 }
[a-z]+$             { ProcedureReturn 101 }
[0-9]+/".."         { ProcedureReturn 102 }
"x"/[0-9]+          { ProcedureReturn 103 }
[0-9]+("."[0-9]+)?  { ProcedureReturn 104 }
[a-z]+              { ProcedureReturn 105 }
".."                { ProcedureReturn 106 }
[ #\n]              { ProcedureReturn 107 }
<<EOF>>             { ProcedureReturn 108 }
%%
