Global x.i
	%nocase
%userdata  *p%% rules
"a"	{ x = 1
%%
  }   ; closes
[^a\n]  {}

%%
Procedure Tail()
EndProcedure
%%
hidden
%%
