%%
(ab|a)*c?d+  { ProcedureReturn §Abcd }
"[(|.{"  { ProcedureReturn §Quoted }
\.\*\[\\\"\{  { ProcedureReturn §Escapes }
[-a\-z]  { ProcedureReturn §Dash }
[a-c-e]+  { ProcedureReturn §Chain }
[^\t\n ]  { ProcedureReturn §NotBlank }
"x;y"  { ProcedureReturn §QuotedSemicolon }
'§'  { text = "§ '}'" : ProcedureReturn §Quote }
. | <<eof>>  { ProcedureReturn §<Eof> }
