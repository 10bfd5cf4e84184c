%define D [0-9]
%%
{D}{word}x { }
