' Zefra sample
Option Explicit
Dim d, s : d = #12/31/1999#
s = "Hello " & "World"
Rem a remark
If d > Now Then MsgBox s ' trailing
Print #1, d
x = 3.5E2 + 1..2
REDIM a(10) €
remark = "open
