%%
ok {}
[[:Lu:][:Letter:]] {}
