'@form Title="Sorting" Width=340 Height=240
'@control List1 CorvaneListbox.VelListbox 10 10 300 200
' The order of the rows as form code sees it: by Text or by a sub-item, ascending and
' descending, with rows added to a sorted list, and the selection kept on its row.
Option Explicit

Sub AddColumns(count)
    Dim i
    For i = 1 To count
        List1.ColumnHeaders.Add , "c" & i, "Column " & i, 900
    Next
End Sub

' Rows keyed "k1".. with the given texts.
Sub AddRows(texts)
    Dim i
    For i = 0 To UBound(texts)
        List1.ListItems.Add , "k" & (List1.ListItems.Count + 1), texts(i)
    Next
End Sub

' The rows' texts (or keys) in row order, and a check that every Index is its position.
Function Texts()
    Dim i, s
    For i = 1 To List1.ListItems.Count
        Host.AssertEqual i, List1.ListItems(i).Index, "Index of row " & i
        If i > 1 Then s = s & "|"
        s = s & List1.ListItems(i).Text
    Next
    Texts = s
End Function

Function Keys()
    Dim i, s
    For i = 1 To List1.ListItems.Count
        If i > 1 Then s = s & "|"
        s = s & List1.ListItems(i).Key
    Next
    Keys = s
End Function

Function Reversed(joined)
    Dim parts, i, s
    parts = Split(joined, "|")
    For i = UBound(parts) To 0 Step -1
        s = s & parts(i)
        If i > 0 Then s = s & "|"
    Next
    Reversed = s
End Function

Sub Test_TextsCompareWithoutCaseNumbersAsTextAndEmptyFirst()
    AddColumns 1
    AddRows Array("b", "10", "B2", "a", "9", "", "A1")
    List1.SortKey = 1
    List1.Sorted = True
    Host.AssertEqual "|10|9|a|A1|b|B2", Texts()
End Sub

Sub Test_SortKeyZeroKeepsTheRowsAsAdded()
    AddColumns 1
    AddRows Array("c", "a", "b")
    List1.Sorted = True
    Host.AssertEqual "c|a|b", Texts()
    List1.SortKey = 1
    Host.AssertEqual "a|b|c", Texts()
End Sub

Sub Test_DescendingIsTheExactReverseOfAscendingWithEqualKeys()
    AddColumns 1
    AddRows Array("x", "a", "X", "b", "x", "A")
    List1.SortKey = 1
    List1.Sorted = True
    Dim ascending
    ascending = Keys()
    Host.AssertEqual "k2|k6|k4|k1|k3|k5", ascending, "equal keys keep the order they were added in"
    List1.SortOrder = 1
    Host.AssertEqual Reversed(ascending), Keys()
    List1.SortOrder = 0
    Host.AssertEqual ascending, Keys()
End Sub

Sub Test_EqualKeysKeepTheirPlacesAsRowsAreAdded()
    AddColumns 1
    List1.SortKey = 1
    List1.Sorted = True
    AddRows Array("m", "M", "a", "m")
    Host.AssertEqual "k3|k1|k2|k4", Keys(), "each new m after the earlier ones"
    List1.SortOrder = 1
    Host.AssertEqual "k4|k2|k1|k3", Keys()
    AddRows Array("z", "M", "b")
    Host.AssertEqual "k5|k4|k2|k1|k6|k7|k3", Keys(), "added rows move no equal row"
    List1.ListItems.Add 1, "k8", "m"
    Host.AssertEqual "k5|k8|k4|k2|k1|k6|k7|k3", Keys(), "a row added in front stays in front of its equals"
End Sub

Sub Test_SortingBySubItemsPutsEmptyCellsFirst()
    AddColumns 2
    AddRows Array("one", "two", "three", "four")
    List1.ListItems(1).SubItems(1) = "b"
    List1.ListItems(3).SubItems(1) = "a"
    List1.SortKey = 2
    List1.Sorted = True
    Host.AssertEqual "two|four|three|one", Texts()
    List1.SortOrder = 1
    Host.AssertEqual "one|three|four|two", Texts()
End Sub

Sub Test_TheSelectionStaysOnItsRows()
    AddColumns 1
    AddRows Array("c", "b", "a")
    List1.ListItems(1).Selected = True
    Dim row
    Set row = List1.SelectedItem
    List1.SortKey = 1
    List1.Sorted = True
    Host.AssertEqual "k1", List1.SelectedItem.Key
    Host.Assert List1.SelectedItem Is row, "the same row object"
    Host.AssertEqual 3, row.Index
    Host.Assert row.Selected
    Host.Assert Not List1.ListItems(1).Selected
End Sub

Sub Test_WithRedrawFalseTheSortWaitsForRedraw()
    AddColumns 1
    List1.SortKey = 1
    List1.Sorted = True
    List1.Redraw = False
    AddRows Array("c", "a", "b")
    Host.AssertEqual "c|a|b", Texts()
    List1.Redraw = True
    Host.AssertEqual "a|b|c", Texts()
End Sub

Sub Test_ATextChangedLaterIsSortedWithTheNextAddedRow()
    AddColumns 1
    List1.SortKey = 1
    List1.Sorted = True
    AddRows Array("b", "c", "d")
    List1.ListItems(3).Text = "a"
    Host.AssertEqual "b|c|a", Texts(), "setting a text does not sort"
    AddRows Array("e")
    Host.AssertEqual "a|b|c|e", Texts()
End Sub

Sub Test_RemovingTheSortColumnNeitherFailsNorLosesRows()
    AddColumns 3
    AddRows Array("b", "a", "c")
    List1.ListItems(1).SubItems(2) = "3"
    List1.SortKey = 3
    List1.Sorted = True
    List1.ColumnHeaders.Remove 3
    Host.AssertEqual 1, List1.SortKey
    AddRows Array("0")
    Host.AssertEqual "0|a|b|c", Texts()
    List1.ColumnHeaders.Clear
    Host.AssertEqual 0, List1.SortKey
    Host.AssertEqual 0, List1.ListItems.Count
    Host.AssertEqual 0, Host.MessageBoxCount
End Sub
