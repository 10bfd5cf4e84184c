%%
a {x}
b {