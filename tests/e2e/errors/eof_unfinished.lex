%%
<<EOF { x }
