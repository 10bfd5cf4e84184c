%nocase
%userdata	*p
