; tokens of a small calculator
%nocase
%userdata *calc.CalcState
Structure CalcState
  count.i
EndStructure
%%
[0-9]+  { *calc\count = *calc\count + 1 : ProcedureReturn §Number }
"if"  { ProcedureReturn §If }  ; keyword
[ \t\n]+  {
  ; blanks: no token
}
; end
<<EOF>>  { ProcedureReturn §<EOF> }
%%
Procedure Reset(*calc.CalcState)
EndProcedure
