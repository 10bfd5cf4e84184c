Global a.i
Global b.s = "%% not a separator"
