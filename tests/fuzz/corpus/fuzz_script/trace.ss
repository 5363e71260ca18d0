DEBUGFILE "t.txt"
VARPUSH A B
VARSET A "%A%%A%"
VARPOP
CALLANDGOSUB "sub" "entry"
INTERPRET "varfree A ; exit"
