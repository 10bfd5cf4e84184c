; decl
%userdata
%%
