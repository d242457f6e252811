'@form Title="Drag and drop" Width=350 Height=240
'@control List1 CorvaneListbox.VelListbox 10 10 150 200
'@control List2 CorvaneListbox.VelListbox 180 10 150 200
' OLE drag and drop between two list boxes, driven with the mouse: List1 starts a drag
' from its MouseDown handler, the mouse travels to List2, and List2's handlers read
' the data and find the row under the drop point.
Option Explicit

Const vbCFText = 1, vbDropEffectNone = 0, vbDropEffectCopy = 1, vbDropEffectMove = 2
Const vbEnter = 0, vbLeave = 1, vbOver = 2
Const PrivateFormat = 20

Dim offer          ' what OLEStartDrag puts in the data: "text", "later", "private" or "nothing"
Dim dragOnPress    ' whether a press on a row of List1 starts a drag
Dim dragged, targetY, states, completed, dropAt, dropRow, dropIndex, startCount, errors

Sub Form_Load()
    List1.ColumnHeaders.Add , , "Name", 2000
    List2.ColumnHeaders.Add , , "Name", 2000
    Dim i
    For i = 1 To 5
        List1.ListItems.Add , , "Left " & i
        List2.ListItems.Add , , "Right " & i
    Next
    List2.OLEDropMode = 1
    offer = "text"
    dragOnPress = True
    completed = -1
    targetY = RowY(List2, 3)
End Sub

Function RowY(list, i)
    RowY = 2 + list.ListItems(i).Top \ 15 + list.ListItems(i).Height \ 30
End Function

Sub List1_MouseDown(Button, Shift, x, y)
    If Button <> 1 Or Not dragOnPress Then Exit Sub
    Set dragged = List1.HitTest(x, y)
    If Not dragged Is Nothing Then List1.OLEDrag
End Sub

Sub List1_OLEStartDrag(Data, AllowedEffects)
    startCount = startCount + 1
    List1.OLEDrag    ' a drag in progress is not started again
    Select Case offer
        Case "text": Data.SetData dragged.Text, vbCFText
        Case "later": Data.SetData , vbCFText
        Case "private": Data.SetData "private " & dragged.Text, PrivateFormat
    End Select
    On Error Resume Next
    Data.SetData
    errors = errors & "[" & Err.Description & "]"
    On Error GoTo 0
    AllowedEffects = vbDropEffectCopy
    ' The mouse travels to row 3 of the other list with the button held; the moves
    ' that placing the cursor on List1 queued are delivered first.
    Host.Pump
    Host.MouseMove "List2", 40, targetY, 1
End Sub

Sub List1_OLESetData(Data, DataFormat)
    Data.SetData "supplied " & dragged.Text, DataFormat
End Sub

' The button goes up over row 3 of List2: the drop follows, wherever a target is.
Sub List1_OLEGiveFeedback(Effect, DefaultCursors)
    Host.MouseUp "List2", 40, targetY
End Sub

Sub List1_OLECompleteDrag(Effect)
    completed = Effect
End Sub

Sub List2_OLEDragOver(Data, Effect, Button, Shift, x, y, State)
    states = states & State
    If Data.GetFormat(vbCFText) Then Effect = vbDropEffectCopy Else Effect = vbDropEffectNone
    If State = vbEnter Then
        On Error Resume Next
        Data.Clear
        errors = errors & "[" & Err.Description & "]"
        Err.Clear
        Dim text: text = Data.GetData(vbCFText)
        errors = errors & "[" & Err.Description & "]"
        Err.Clear
        Dim bytes: bytes = Data.GetData(PrivateFormat)
        errors = errors & "[" & VarType(bytes) & "]"    ' 8209: an array of bytes
        On Error GoTo 0
    End If
End Sub

Sub List2_OLEDragDrop(Data, Effect, Button, Shift, x, y)
    dropAt = x & "," & y
    ' Drop coordinates are pixels; HitTest takes container units.
    Set dropRow = List2.HitTest(x * 15, y * 15)
    dropIndex = dropRow.Index    ' the row moves down once the new one is in
    List2.ListItems.Add dropIndex, , Data.GetData(vbCFText)
    Effect = vbDropEffectCopy
End Sub

Sub PressOnRow(i)
    Host.MouseDown "List1", 40, RowY(List1, i)
    Host.MouseUp "List1", 40, RowY(List1, i)
End Sub

Function Texts(list)
    Dim row, all
    For Each row In list.ListItems
        all = all & "|" & row.Text
    Next
    Texts = Mid(all, 2)
End Function

Sub Test_ARowDraggedOntoTheOtherListIsInsertedWhereItDrops()
    PressOnRow 2
    Host.AssertEqual 1, startCount, "one drag"
    Host.AssertEqual "Right 1|Right 2|Left 2|Right 3|Right 4|Right 5", Texts(List2)
    Host.AssertEqual 3, dropIndex, "the row under the drop point"
    Host.AssertEqual "40," & targetY, dropAt, "in the target's own pixels"
    Host.AssertEqual vbDropEffectCopy, completed
    Host.AssertEqual "Left 1|Left 2|Left 3|Left 4|Left 5", Texts(List1), "a copy leaves the source as it was"
    Host.AssertEqual vbEnter, CInt(Left(states, 1))
    Host.AssertEqual "[Expected at least one argument]" & _
        "[DataObject formats list may not be cleared or expanded outside of the OLEStartDrag event][][0]", errors
    ' Held longer, the drag passes over the target again before the drop.
    Dim order, line, words
    For Each line In Split(Host.Events, vbLf)
        words = Split(line, " ")
        If InStr(line, "_OLE") > 0 Then order = order & " " & words(0)
    Next
    Host.Assert Left(order, 59) = " List1_OLEStartDrag List2_OLEDragOver List1_OLEGiveFeedback", order
    Host.Assert Right(order, 40) = " List2_OLEDragDrop List1_OLECompleteDrag", order
End Sub

' Pending: where Wine runs emulated (qemu) the drop of a format declared without data
' adds no row; where Wine runs natively the case passes. It stays here, outside the run,
' until the emulated case is found. The supply itself, OLESetData raised once when a
' target reads the format, is tested in DragSourceTest.cpp.
Sub Pending_AFormatDeclaredWithoutDataIsAskedForWhenTheTargetReadsIt()
    offer = "later"
    PressOnRow 4
    Host.AssertEqual "Right 1|Right 2|supplied Left 4|Right 3|Right 4|Right 5", Texts(List2)
    Host.Assert InStr(Host.Events, "List1_OLESetData [object], 1") > 0, Host.Events
End Sub

Sub Test_DataInAFormatTheTargetDoesNotTakeIsNotDropped()
    offer = "private"
    PressOnRow 1
    Host.AssertEqual "Right 1|Right 2|Right 3|Right 4|Right 5", Texts(List2), "nothing dropped"
    Host.Assert Not IsObject(dropRow), "no OLEDragDrop"
    Host.AssertEqual vbDropEffectNone, completed
    Host.Assert InStr(states, CStr(vbLeave)) > 0, "the drag left the target: " & states
    Host.Assert InStr(errors, "[Specified format doesn't match format of data]") > 0, errors
    Host.Assert InStr(errors, "[8209]") > 0, "a format that is not text reads as bytes: " & errors
    Host.AssertEqual "Left 1|Left 2|Left 3|Left 4|Left 5", Texts(List1)
End Sub

Sub Test_ATargetWithoutDropModeHearsNothing()
    List2.OLEDropMode = 0
    PressOnRow 2
    Host.AssertEqual "", states
    Host.AssertEqual vbDropEffectNone, completed
    Host.AssertEqual "Right 1|Right 2|Right 3|Right 4|Right 5", Texts(List2)
End Sub

Sub Test_ADragWithNothingToCarryDoesNotStartButCompletes()
    List1.ListItems.Clear
    offer = "nothing"
    List1.OLEDrag
    Host.AssertEqual 1, startCount
    Host.AssertEqual vbDropEffectNone, completed
    Host.AssertEqual "", states
End Sub

Sub Test_OnlyOLEDragStartsADrag()
    dragOnPress = False
    List1.OLEDragMode = 1
    Host.MouseDown "List1", 40, RowY(List1, 2)
    Host.MouseMove "List2", 40, targetY, 1
    Host.MouseUp "List2", 40, targetY
    Host.AssertEqual 0, startCount - 0
    Host.AssertEqual -1, completed
    Host.AssertEqual 1, List1.OLEDragMode
    Host.AssertEqual 1, List2.OLEDropMode
End Sub
