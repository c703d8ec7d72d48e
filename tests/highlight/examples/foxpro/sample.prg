* Zefra sample
SET TALK OFF
USE customer && open the table
  * indented comment
SELE 1
@ 1,1 SAY "Name:" GET m.name
d = {^2000-01-01} + 1.5
IF .NOT. EOF()
   ? 'it' + "s"
ENDIF
x = {open date
_screen.caption = 'Zefra' && done
z = a * 2 €
