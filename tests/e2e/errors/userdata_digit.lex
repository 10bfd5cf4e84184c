%userdata2 x
