%%
a {
  x
}	; c
