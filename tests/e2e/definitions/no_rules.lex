; only declarations
Global x.i ; comment kept
	%% hidden by a tab
	%nocase
