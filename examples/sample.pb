; Sums the numbers from 1 to #Limit.
EnableExplicit

#Limit = 10
Define total.i, i.i, name$ = "sum"
For i = 1 To #Limit
  total = total + i ; running sum
Next
If total >= 55 And total <> $FF
  Debug name$ + ": " + Str(total)
EndIf
Define ratio.d = 2.5e-1 * %1010
Debug ~"tab\there \"quoted\"" + Chr('A')
Ifs = total/2 ^ 1
