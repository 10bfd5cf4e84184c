%utf8
; U+D800 is a surrogate
%%
[\u0041-\uD800] {}
