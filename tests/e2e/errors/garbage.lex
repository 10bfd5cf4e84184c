%%
a { x } y
