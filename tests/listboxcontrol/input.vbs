'@form Title="List box input" Width=340 Height=240
'@control List1 CorvaneListbox.VelListbox 10 10 300 200
' What form code sees of the mouse and the keyboard on a list box: the selection
' after each click and key with each Shift and Ctrl state, and the events in order.
Option Explicit

Const vbKeyPageUp = 33, vbKeyPageDown = 34, vbKeyEnd = 35, vbKeyHome = 36
Const vbKeyLeft = 37, vbKeyUp = 38, vbKeyRight = 39, vbKeyDown = 40
Const ShiftKey = 1, CtrlKey = 2

Dim clickedColumn

Sub List1_ColumnClick(ColumnHeader)
    clickedColumn = ColumnHeader.Index
End Sub

Sub Fill(count)
    List1.ColumnHeaders.Add , , "Name", 3000
    Dim i
    For i = 1 To count
        List1.ListItems.Add , "k" & i, "Row " & i
    Next
End Sub

' The pixel height of a row and the y of the middle of row i (nothing scrolled).
Function RowHeight()
    RowHeight = List1.ListItems(1).Height / 15
End Function

Function RowY(i)
    RowY = 2 + List1.ListItems(i).Top / 15 + RowHeight() \ 2
End Function

Sub ClickRow(i, shift)
    Host.MouseDown "List1", 40, RowY(i), 1, shift
    Host.MouseUp "List1", 40, RowY(i), 1, shift
End Sub

' The positions of the selected rows, as "2 3 4".
Function SelectedRows()
    Dim row, text
    For Each row In List1.ListItems
        If row.Selected Then text = text & " " & row.Index
    Next
    SelectedRows = Trim(text)
End Function

Function Current()
    If List1.SelectedItem Is Nothing Then Current = 0 Else Current = List1.SelectedItem.Index
End Function

' The events of the log without the mouse moves that moving the cursor brings.
Function EventLines()
    Dim line, kept
    For Each line In Split(Host.Events, vbLf)
        If InStr(line, "_MouseMove") = 0 Then kept = kept & vbLf & line
    Next
    EventLines = Split(Mid(kept, 2), vbLf)
End Function

Function Has(eventLine)
    Has = InStr(vbLf & Host.Events & vbLf, vbLf & eventLine & vbLf) > 0
End Function

Sub Test_APlainClickSelectsOnlyTheClickedRow()
    Fill 5
    ClickRow 2, 0
    Host.AssertEqual "2", SelectedRows()
    Host.AssertEqual 2, Current()
    ClickRow 4, 0
    Host.AssertEqual "4", SelectedRows(), "a single-selection list deselects the previous row"
    List1.MultiSelect = True
    ClickRow 1, CtrlKey
    ClickRow 3, CtrlKey
    Host.AssertEqual "1 3 4", SelectedRows()
    ClickRow 5, 0
    Host.AssertEqual "5", SelectedRows(), "a plain click clears the other rows of a multi-selection list"
End Sub

Sub Test_CtrlClickTogglesTheRowAndRaisesNoListItemClick()
    Fill 5
    List1.MultiSelect = True
    ClickRow 2, 0
    Host.ClearEvents
    ClickRow 4, CtrlKey
    Host.AssertEqual "2 4", SelectedRows()
    Host.AssertEqual 4, Current()
    Host.Assert InStr(Host.Events, "ListItemClick") = 0, Host.Events
    ClickRow 4, CtrlKey
    Host.AssertEqual "2", SelectedRows(), "a second Ctrl+click deselects"
    Host.AssertEqual 4, Current(), "and the row stays current"
    ' The anchor stayed on row 2.
    ClickRow 5, ShiftKey
    Host.AssertEqual "2 3 4 5", SelectedRows()
End Sub

Sub Test_ShiftClickSelectsFromTheAnchorAndMovesIt()
    Fill 6
    List1.MultiSelect = True
    ClickRow 2, 0
    ClickRow 5, ShiftKey
    Host.AssertEqual "2 3 4 5", SelectedRows()
    ClickRow 3, ShiftKey
    Host.AssertEqual "3 4 5", SelectedRows(), "the clicked row became the anchor"
End Sub

Sub Test_AFirstShiftClickSelectsTheOneRow()
    Fill 4
    List1.MultiSelect = True
    ClickRow 3, ShiftKey
    Host.AssertEqual "3", SelectedRows()
    Host.AssertEqual 3, Current()
End Sub

Sub Test_MouseEventsComeInOrderWithContainerUnits()
    Fill 3
    Host.ClearEvents
    ClickRow 2, 0
    Dim lines: lines = EventLines()
    Host.AssertEqual "List1_MouseDown 1, 0, 600, " & RowY(2) * 15, lines(0)
    Host.AssertEqual "List1_ListItemClick [object]", lines(1)
    Host.AssertEqual "List1_MouseUp 1, 0, 600, " & RowY(2) * 15, lines(2)
    Host.AssertEqual "List1_Click", lines(3)
End Sub

Sub Test_ARightClickSelectsNothing()
    Fill 3
    Host.MouseDown "List1", 40, RowY(2), 2
    Host.MouseUp "List1", 40, RowY(2), 2
    Host.AssertEqual "", SelectedRows()
    Host.Assert Has("List1_MouseDown 2, 0, 600, " & RowY(2) * 15), Host.Events
End Sub

Sub Test_AHeaderClickReportsTheHeaderUnderTheMouseAtRelease()
    Fill 2
    List1.ColumnHeaders(1).Width = 1500
    List1.ColumnHeaders.Add , , "Second", 1500
    clickedColumn = 0
    Host.MouseDown "List1", 30, 6
    Host.MouseMove "List1", 150, 6, 1
    Host.MouseUp "List1", 150, 6
    Host.AssertEqual 2, clickedColumn
    clickedColumn = 0
    Host.MouseDown "List1", 30, 6
    Host.MouseMove "List1", 30, 150, 1
    Host.MouseUp "List1", 30, 150
    Host.AssertEqual 0, clickedColumn, "released outside the headers"
    Host.AssertEqual "", SelectedRows(), "a header press selects no row"
End Sub

Sub Test_DownWithNothingCurrentSelectsTheSecondRow()
    Fill 3
    Host.KeyPress "List1", vbKeyDown
    Host.AssertEqual 2, Current()
    Host.AssertEqual "2", SelectedRows()
    List1.ListItems.Clear
    List1.ListItems.Add , , "Only"
    Host.KeyPress "List1", vbKeyDown
    Host.AssertEqual 1, Current(), "a single row is selected itself"
End Sub

Sub Test_DownAndUpRaiseClickThenKeyDown()
    Fill 4
    ClickRow 2, 0
    Host.ClearEvents
    Host.KeyPress "List1", vbKeyDown
    Host.AssertEqual 3, Current()
    Host.AssertEqual "3", SelectedRows()
    Dim lines: lines = EventLines()
    Host.AssertEqual "List1_Click", lines(0)
    Host.AssertEqual "List1_KeyDown 40, 0", lines(1)
    Host.ClearEvents
    Host.KeyPress "List1", vbKeyUp
    Host.KeyPress "List1", vbKeyUp
    Host.AssertEqual 1, Current()
    Host.ClearEvents
    Host.KeyPress "List1", vbKeyUp
    Host.AssertEqual 1, Current()
    Host.Assert Not Has("List1_Click"), "Up on the first row raises no Click: " & Host.Events
    Host.Assert Has("List1_KeyDown 38, 0"), Host.Events
    Host.KeyPress "List1", vbKeyEnd
    Host.ClearEvents
    Host.KeyPress "List1", vbKeyDown
    Host.Assert Not Has("List1_Click"), "Down on the last row raises no Click"
    Host.Assert Has("List1_KeyDown 40, 0"), Host.Events
End Sub

Sub Test_ShiftArrowsGrowTheSelectionOfAMultiSelectionListOnly()
    Fill 6
    List1.MultiSelect = True
    ClickRow 2, 0
    Host.KeyPress "List1", vbKeyDown, ShiftKey
    Host.KeyPress "List1", vbKeyDown, ShiftKey
    Host.AssertEqual "2 3 4", SelectedRows()
    Host.AssertEqual 4, Current()
    Host.KeyPress "List1", vbKeyDown, ShiftKey + CtrlKey
    Host.AssertEqual "2 3 5", SelectedRows(), "Shift with Ctrl counts as neither: the row is not kept"
    Host.AssertEqual 5, Current()
    List1.MultiSelect = False
    Set List1.SelectedItem = Nothing
    ClickRow 1, 0
    Host.KeyPress "List1", vbKeyDown, ShiftKey
    Host.AssertEqual 2, Current()
    Host.AssertEqual "2", SelectedRows(), "a single-selection list keeps one selected row"
End Sub

Sub Test_HomeAndEndGoToTheEndsWithoutClick()
    Fill 5
    ClickRow 3, 0
    Host.ClearEvents
    Host.KeyPress "List1", vbKeyEnd
    Host.AssertEqual 5, Current()
    Host.AssertEqual "5", SelectedRows()
    Host.Assert Not Has("List1_Click"), Host.Events
    Host.Assert Has("List1_KeyDown 35, 0"), Host.Events
    Host.KeyPress "List1", vbKeyHome
    Host.AssertEqual 1, Current()
    Host.AssertEqual "1", SelectedRows()
End Sub

Sub Test_ShiftHomeAndEndSelectToTheAnchor()
    Fill 6
    List1.MultiSelect = True
    ClickRow 3, 0
    Host.KeyPress "List1", vbKeyEnd, ShiftKey
    Host.AssertEqual "3 4 5 6", SelectedRows()
    Host.KeyPress "List1", vbKeyHome, ShiftKey
    Host.AssertEqual "1 2 3", SelectedRows(), "the anchor is still the clicked row"
    Host.AssertEqual 1, Current()
End Sub

Sub Test_PageKeysMoveByAPageAndStopAtTheEnds()
    Fill 100
    ClickRow 1, 0
    Dim page: page = List1.GetLastVisible.Index - List1.GetFirstVisible.Index
    Host.Assert page > 2, "the view shows several rows"
    Host.ClearEvents
    Host.KeyPress "List1", vbKeyPageDown
    Host.AssertEqual 1 + page, Current()
    Host.AssertEqual CStr(1 + page), SelectedRows()
    Host.AssertEqual 1 + page, List1.GetFirstVisible.Index, "the rows scrolled a page"
    Dim lines: lines = EventLines()
    Host.AssertEqual "List1_Click", lines(0)
    Dim i
    For i = 1 To 40
        Host.KeyPress "List1", vbKeyPageDown
    Next
    Host.AssertEqual 100, Current(), "clamped to the last row"
    Host.AssertEqual 100, List1.GetLastVisible.Index
    For i = 1 To 40
        Host.KeyPress "List1", vbKeyPageUp
    Next
    Host.AssertEqual 1, Current(), "clamped to the first row"
    Host.AssertEqual 1, List1.GetFirstVisible.Index
    Host.AssertEqual "1", SelectedRows()
End Sub

Sub Test_DownScrollsWhenItReachesTheRowCutOffAtTheBottom()
    Fill 50
    ClickRow 1, 0
    Dim last: last = List1.GetLastVisible.Index
    Dim i
    For i = 2 To last - 1
        Host.KeyPress "List1", vbKeyDown
    Next
    Host.AssertEqual 1, List1.GetFirstVisible.Index, "no scrolling while the row is in view"
    Host.KeyPress "List1", vbKeyDown
    Host.AssertEqual last, Current()
    Host.AssertEqual 2, List1.GetFirstVisible.Index, "one row scrolled"
    Host.KeyPress "List1", vbKeyUp
    Host.KeyPress "List1", vbKeyUp
    Host.AssertEqual 2, List1.GetFirstVisible.Index
    For i = 1 To last
        Host.KeyPress "List1", vbKeyUp
    Next
    Host.AssertEqual 1, List1.GetFirstVisible.Index, "Up on the first row in view scrolled back"
End Sub

Sub Test_EveryKeyWithEveryShiftStateLeavesAConsistentSelection()
    Fill 30
    Dim keys: keys = Array(vbKeyPageUp, vbKeyPageDown, vbKeyEnd, vbKeyHome, vbKeyUp, vbKeyDown, 65, 13, 46)
    Dim multi, key, shift, current
    For Each multi In Array(False, True)
        List1.MultiSelect = multi
        ClickRow 5, 0
        For Each key In keys
            For shift = 0 To 7
                Host.ClearEvents
                Host.KeyPress "List1", key, shift
                Host.Assert Not List1.SelectedItem Is Nothing, "key " & key & " shift " & shift
                current = List1.SelectedItem.Index
                Host.Assert List1.ListItems(current).Selected, "the current row is selected"
                If Not multi Then Host.AssertEqual CStr(current), SelectedRows(), "one row after key " & key & " shift " & shift
                Host.Assert Has("List1_KeyDown " & key & ", " & shift), "KeyDown reports the key and the state"
            Next
        Next
    Next
End Sub

Sub Test_LeftAndRightStillReportKeyDown()
    Fill 3
    ClickRow 2, 0
    Host.ClearEvents
    Host.KeyPress "List1", vbKeyLeft
    Host.KeyPress "List1", vbKeyRight
    Host.Assert Has("List1_KeyDown 37, 0"), Host.Events
    Host.Assert Has("List1_KeyDown 39, 0"), Host.Events
    Host.AssertEqual "2", SelectedRows(), "the selection stays"
End Sub

Sub Test_HitTestAndTheVisibleRowsAnswerSensibly()
    Fill 40
    Host.AssertEqual 3, List1.HitTest(600, RowY(3) * 15).Index
    Host.Assert List1.HitTest(600, 1E+30) Is Nothing, "far below the rows"
    Host.Assert List1.HitTest(-1E+30, -1E+30) Is Nothing
    Host.Assert List1.HitTest(600, 15) Is Nothing, "on the header band"
    Host.AssertEqual 1, List1.GetFirstVisible.Index
    Host.Assert List1.GetLastVisible.Index < 40, "a row is cut off at the bottom"
    List1.ListItems.Clear
    On Error Resume Next
    Dim row: Set row = List1.GetFirstVisible
    Host.AssertEqual "Index out of bounds.", Err.Description, "an empty list has no first visible row"
    Err.Clear
    Set row = List1.GetLastVisible
    Host.AssertEqual "Index out of bounds.", Err.Description
End Sub
