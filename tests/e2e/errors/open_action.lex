%%
a { x
b
