' The list box without a form, from Windows' (or Wine's) script host:
'   cscript //nologo listbox.vbs
' Creates the control, fills two columns, sorts the rows by the second and prints them.
' Needs VelRoster.ocx registered (regsvr32 VelRoster.ocx).
Option Explicit

Dim list, row, people, i, line
Set list = CreateObject("CorvaneListbox.VelListbox")
list.ColumnHeaders.Add , "name", "Name"
list.ColumnHeaders.Add , "city", "City"       ' the column whose SubItemIndex is 1

people = Array("Ada", "London", "Bruno", "Bologna", "Chiara", "Cork")
For i = 0 To UBound(people) Step 2
    Set row = list.ListItems.Add(, "k" & (i \ 2 + 1), people(i))
    row.SubItems(1) = people(i + 1)            ' shown in the City column
Next

list.SortKey = 2                               ' the City column, by position
list.SortOrder = 0                             ' ascending
list.Sorted = True

line = ""
For Each row In list.ListItems
    If line <> "" Then line = line & ", "
    line = line & row.Text & " (" & row.SubItems(1) & ")"
Next
WScript.Echo "By city: " & line
