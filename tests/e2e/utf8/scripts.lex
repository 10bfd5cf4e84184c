%% identifiers in any script, numbers in any digits, « strings »
"wenn"|"如果"  { ProcedureReturn §If }
[[:L:]_][[:L:][:N:]_]*  { ProcedureReturn §Identifier }
[[:Nd:]]+  { ProcedureReturn §Number }
«[^»\n]*»  { ProcedureReturn §String }
[\u2190-\u21FF\u00D7\u00F7+=-]  { ProcedureReturn §Operator }
[[:Zs:]\t\n]+  { }
<<EOF>>  { ProcedureReturn §<EOF> }
