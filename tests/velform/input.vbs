'@form Title="Input" Width=360 Height=300
'@control List1 CorvaneListbox.VelListbox 10 10 300 260
' Input as a person gives it: buttons held or not, keys with their characters in
' order, no moves that were not asked for, and the scroll bars' arrows, track and
' thumb with a list of a thousand rows.
Option Explicit

Const SBM_GETPOS = &HE1

Sub Fill(count)
    Dim i
    List1.ColumnHeaders.Add , , "Row", 2000
    For i = 1 To count
        List1.ListItems.Add , , "Row " & i
    Next
End Sub

' The logged events whose lines begin with `prefix`, one a line.
Function EventsOf(prefix)
    Dim line, found
    found = ""
    For Each line In Split(Host.Events, vbLf)
        If Left(line, Len(prefix)) = prefix Then found = found & line & vbLf
    Next
    EventsOf = found
End Function

' Button and Shift of the last MouseMove ("List1_MouseMove 1, 0, 825, 900").
Function LastMove()
    Dim moves, parts
    moves = Split(EventsOf("List1_MouseMove"), vbLf)
    LastMove = "none"
    If UBound(moves) < 1 Then Exit Function
    parts = Split(Mid(moves(UBound(moves) - 1), Len("List1_MouseMove ") + 1), ", ")
    LastMove = parts(0) & ", " & parts(1)
End Function

Sub Test_MouseMovesCarryTheButtonsHeld()
    Host.MouseMove "List1", 50, 60
    Host.AssertEqual "0, 0", LastMove(), "no button held"
    Host.MouseMove "List1", 52, 60, 2, 1
    Host.AssertEqual "2, 1", LastMove(), "the buttons and shift given"
    Host.MouseDown "List1", 55, 60
    Host.MouseMove "List1", 58, 60
    Host.AssertEqual "1, 0", LastMove(), "the button pressed is held"
    Host.MouseUp "List1", 58, 60
    Host.MouseMove "List1", 60, 60
    Host.AssertEqual "0, 0", LastMove(), "released"
End Sub

Sub Test_MovingTheCursorAddsNoMoves()
    Fill 3
    Host.ClearEvents
    Host.Click "List1", 200, 200
    Host.Click "List1", 20, 30
    Host.AssertEqual "", EventsOf("List1_MouseMove"), "clicks at other places bring no MouseMove"
    Host.Pump 100
    Host.AssertEqual "", EventsOf("List1_MouseMove"), "nor later"
End Sub

Sub Test_AKeyArrivesDownCharacterUp()
    Fill 3
    Host.ClearEvents
    Host.KeyPress "List1", 65
    Host.AssertEqual "List1_KeyDown 65, 0" & vbLf & "List1_KeyPress 97" & vbLf & "List1_KeyUp 65, 0" & vbLf, _
        EventsOf("List1_Key")
    Host.ClearEvents
    Host.KeyPress "List1", 65, 1
    Host.AssertEqual "List1_KeyDown 65, 1" & vbLf & "List1_KeyPress 65" & vbLf & "List1_KeyUp 65, 1" & vbLf, _
        EventsOf("List1_Key"), "with Shift"
    Host.ClearEvents
    Host.KeyPress "List1", 40
    Host.AssertEqual "List1_KeyDown 40, 0" & vbLf & "List1_KeyUp 40, 0" & vbLf, EventsOf("List1_Key"), _
        "a key without a character"
End Sub

Dim barWindow, barX, barTop, barBottom

' Finds the vertical scroll bar window along the list's right edge.
Sub FindVerticalBar()
    Dim x, y, listWindow
    listWindow = Host.ControlWindow("List1")
    barWindow = 0
    For x = 299 To 270 Step -1
        If Host.WindowAt("List1", x, 130) <> listWindow Then
            barWindow = Host.WindowAt("List1", x, 130)
            barX = x - 5
            Exit For
        End If
    Next
    Host.Assert barWindow <> 0, "the list shows a vertical scroll bar"
    For y = 0 To 259
        If Host.WindowAt("List1", barX, y) = barWindow Then barBottom = y
    Next
    For y = 259 To 0 Step -1
        If Host.WindowAt("List1", barX, y) = barWindow Then barTop = y
    Next
End Sub

Function FirstVisible()
    FirstVisible = List1.GetFirstVisible().Index
End Function

Sub Test_ScrollBarsTakeClicksAndDrags()
    Fill 1000
    FindVerticalBar
    Dim arrow, middle, first
    arrow = 17
    Host.AssertEqual 0, Host.SendMessage(barWindow, SBM_GETPOS), "at the top"
    Host.AssertEqual 1, FirstVisible()

    ' The thumb sits below the upper arrow; drag it to the middle of the bar.
    middle = (barTop + barBottom) \ 2
    Host.MouseDown "List1", barX, barTop + arrow + 4
    Host.MouseMove "List1", barX, middle
    first = FirstVisible()
    Host.Assert first > 300 And first < 700, "the list follows the thumb: " & first
    Host.MouseUp "List1", barX, middle
    Host.AssertEqual first, FirstVisible(), "released where it was dragged"
    Host.Assert Host.SendMessage(barWindow, SBM_GETPOS) > 0, "the bar's position"

    Host.Click "List1", barX, barBottom - 4
    Host.AssertEqual first + 1, FirstVisible(), "the lower arrow: one row"
    Host.Click "List1", barX, barTop + 4
    Host.AssertEqual first, FirstVisible(), "the upper arrow: one row back"
    Host.Click "List1", barX, barBottom - arrow - 6
    Host.AssertEqual first + 4, FirstVisible(), "the track below the thumb: a page"
    Host.Click "List1", barX, barTop + arrow + 6
    Host.AssertEqual first, FirstVisible(), "the track above the thumb: a page back"

    ' The mouse is free again: a click in the list selects a row.
    Host.ClearEvents
    Host.Click "List1", 30, 100
    Host.Assert InStr(Host.Events, "List1_ListItemClick") > 0, "a row was clicked"
End Sub
