%userdata2 x
%%
