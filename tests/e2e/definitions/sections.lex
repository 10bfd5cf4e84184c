; declarations comment
%userdata *first.i
%UserData  *st.State,  n.i ; the state
Define y.i ; kept comment
%% rules
x   ; rule without brace
  If §Hit ; "§" and '§' stay
%%
  ProcedureReturn §<eof> }  ; end
    ; comment only in rules
"}" { ProcedureReturn '}' } ; quoted brace
";"{
  n = 1 ; done }   
%%
; user code comment
Procedure Helper() : EndProcedure ; kept
%% third
dropped line
%%
also dropped