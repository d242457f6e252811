'@form Title="List box host" Width=340 Height=240
'@control List1 CorvaneListbox.VelListbox 10 10 300 200
' The list box on a form, driven as form code drives it: events, message boxes,
' divider drags with the mouse, and columns saved with the form at design time.
Option Explicit

Sub AddColumns(count)
    Dim i
    For i = 1 To count
        List1.ColumnHeaders.Add , "c" & i, "Column " & i, 900
    Next
End Sub

Sub Test_AnOutOfRangeSortKeyShowsAMessageBoxAndKeepsTheValue()
    AddColumns 2
    List1.SortKey = 5
    Host.AssertEqual 1, Host.MessageBoxCount
    Host.AssertEqual "SortKey value must be between 0 and the number of ColumnHeaders.", Host.MessageBoxText(1)
    Host.AssertEqual "List box host", Host.MessageBoxTitle(1), "the application's title"
    Host.AssertEqual 0, List1.SortKey
    List1.SortKey = 2
    Host.AssertEqual 2, List1.SortKey
    Host.AssertEqual 1, Host.MessageBoxCount
End Sub

Sub Test_DraggingADividerResizesTheColumnWithoutMouseDown()
    AddColumns 2
    Host.AssertEqual 900, List1.ColumnHeaders(1).Width, "60 pixels in twips"
    Host.ClearEvents
    Host.MouseDown "List1", 62, 5
    Host.MouseMove "List1", 100, 5, 1
    Host.MouseUp "List1", 100, 5
    Host.AssertEqual 98 * 15, List1.ColumnHeaders(1).Width
    Host.Assert InStr(Host.Events, "List1_MouseDown") = 0, "no MouseDown for a divider"
    Host.Assert InStr(Host.Events, "List1_MouseUp") > 0, "MouseUp is raised"
End Sub

Sub Test_ClickingARowSelectsItAndRaisesListItemClick()
    AddColumns 1
    Dim i
    For i = 1 To 5
        List1.ListItems.Add , , "Row " & i
    Next
    Host.ClearEvents
    Host.Click "List1", 20, 2 + List1.ListItems(1).Height / 15 * 2 + 20
    Host.Assert InStr(Host.Events, "List1_ListItemClick") > 0, Host.Events
    Host.Assert List1.SelectedItem.Selected, "the clicked row is selected"
End Sub

Sub Test_ColumnsAreSavedAtDesignTimeOnly()
    Host.UserMode = False
    AddColumns 2
    Host.Assert Host.Dirty, "adding columns at design time changes the form"
    Host.SaveForm
    Host.Assert Host.IsSaved("List1", "NumColumns")
    Host.AssertEqual "Column 2", Host.SavedProperty("List1", "ColText2")
    Host.ReloadForm
    Host.AssertEqual 2, List1.ColumnHeaders.Count
    Host.UserMode = True
    Host.SaveForm
    Host.Assert Not Host.IsSaved("List1", "NumColumns"), "run time writes no columns"
End Sub
