' Zefra sample module
Attribute VB_Name = "Module1"
Option Explicit

Private Sub Main()
    Dim s As String, d As Date
    s = "Hello, ""World""" & Chr(13)
    d = #1/1/2000#
    Open "out.txt" For Output As #1
    Print #1, s; 3.5E2; 1..2
    Close #1
    rem a remark
    x = Val("open string
    y = x ^ 2 € : z = $ 'comment
End Sub
