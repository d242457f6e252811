'@control List1 CorvaneListbox.VelListbox 10 10 400 240
Sub Form_Load()
    List1.ColumnHeaders.Add , "name", "Name", 1800
    List1.ColumnHeaders.Add , "city", "City", 1500, velRightJustify
    Set row = List1.ListItems.Add(, "k1", "Ada")
    row.SubItems(1) = "London"           ' shown in the City column, whose SubItemIndex is 1
    List1.MultiSelect = True
End Sub

Sub List1_ListItemClick(Item)
    MsgBox Item.Text & " in " & Item.SubItems(1)
End Sub
' end of example

' The example of the list box's member reference (docs/reference/VelRoster.md shows the
' lines above): each text it sets is in the column it names.
Sub Test_EveryTextTheExampleSetsIsShownInAColumn()
    Dim row, column
    Set row = List1.ListItems("k1")
    Host.AssertEqual "Ada", row.Text
    Set column = List1.ColumnHeaders("city")
    Host.AssertEqual 1, column.SubItemIndex
    Host.AssertEqual "London", row.SubItems(column.SubItemIndex), "the City column shows London"
    Host.AssertEqual velRightJustify, column.Alignment
    Host.Assert List1.MultiSelect
End Sub

Sub Test_AClickOnTheRowRunsTheHandler()
    Host.Click "List1", 40, List1.ListItems(1).Top / 15 + List1.ListItems(1).Height / 30
    Host.Assert InStr(Host.Events, "List1_ListItemClick") > 0, Host.Events
End Sub
