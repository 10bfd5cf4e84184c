%define A a{A}
%%
