'@form Title="Fixture host" Width=320 Height=200
'@control Fixture1 VelFixture.Fixture 10 10 140 60
'@control Inner1 VelFixture.Fixture 5 5 60 30 in Fixture1
' The form host with the hosting fixture: events and by-reference arguments, nested
' controls, design and run mode, persistence, dirty tracking, message boxes, pixels,
' input and the property frame.
Option Explicit

Dim handled
handled = ""

Sub Fixture1_CaptionChanged(Caption)
    handled = handled & Caption & ";"
End Sub

' Upper-cases "a" and swallows "x": the control sees what the handler assigned.
Sub Fixture1_KeyPress(KeyAscii)
    If KeyAscii = Asc("a") Then KeyAscii = Asc("A")
    If KeyAscii = Asc("x") Then KeyAscii = 0
End Sub

Sub Test_EventsReachHandlersAndTheLog()
    Fixture1.Caption = "Hello"
    Host.AssertEqual "Hello;", handled, "handler ran once"
    Host.AssertEqual "Fixture1_CaptionChanged ""Hello""", Host.LastEvent
    Inner1.Caption = "Inside"
    Host.AssertEqual "Hello;", handled, "Inner1 has no handler"
    Host.AssertEqual "Inner1_CaptionChanged ""Inside""", Host.LastEvent
    Host.AssertEqual 2, Host.EventCount
    Host.ClearEvents
    Host.AssertEqual "", Host.Events
End Sub

Sub Test_ByRefArgumentsAreWrittenBack()
    Host.TypeText "Fixture1", "abxc"
    Host.AssertEqual "Abc", Fixture1.Typed, "the handler's changes reached the control"
    Host.AssertEqual "Fixture1_KeyPress 99", Host.LastEvent, "the log shows what the control raised"
    Host.TypeText "Inner1", "ax"
    Host.AssertEqual "ax", Inner1.Typed, "without a handler the argument stays"
End Sub

Sub Test_ControlsInsideAControl()
    Host.AssertEqual 1, Fixture1.ContainedCount
    Host.AssertEqual 0, Inner1.ContainedCount
    Fixture1.ContainedControl(1).Caption = "Reached"
    Host.AssertEqual "Reached", Inner1.Caption, "the contained control is Inner1 itself"
    Host.ReloadForm
    Host.AssertEqual 1, Fixture1.ContainedCount, "still contained after a reload"
End Sub

Sub Test_UserModeFollowsTheHost()
    Host.Assert Fixture1.UserMode, "run time"
    Host.UserMode = False
    Host.Assert Not Fixture1.UserMode, "design time"
    Host.Assert Not Inner1.UserMode, "design time inside a control too"
    Host.Assert InStr(Fixture1.Lifecycle, "AmbientChanged:UserMode") > 0, "the control was told"
    Host.UserMode = True
    Host.Assert Fixture1.UserMode, "back at run time"
End Sub

Sub Test_PropertiesSurviveSaveAndReload()
    Fixture1.Caption = "Kept"
    Fixture1.Count = 7
    Fixture1.BackColor = RGB(255, 0, 0)
    Host.SaveForm
    Host.AssertEqual "Kept", Host.SavedProperty("Fixture1", "Caption")
    Host.AssertEqual 7, Host.SavedProperty("Fixture1", "Count")
    Host.AssertEqual RGB(255, 0, 0), Host.SavedProperty("Fixture1", "BackColor")
    Host.AssertEqual "Inner1", Host.SavedProperty("Inner1", "Caption"), "a new control is named after itself"
    Host.Assert Not Host.IsSaved("Inner1", "Count"), "defaults are not stored"
    Host.Assert Not Host.IsSaved("Fixture1", "Flag"), "defaults are not stored"
    Host.Assert IsObject(Host.SavedProperty("Fixture1", "Font")), "the font is stored whole"
    Host.Assert InStr(Host.SavedText, "Begin Inner1") > 0, "the saved text"
    Host.ReloadForm
    Host.AssertEqual "Kept", Fixture1.Caption
    Host.AssertEqual 7, Fixture1.Count
    Host.AssertEqual RGB(255, 0, 0), Fixture1.BackColor
    Host.AssertEqual "Inner1", Inner1.Caption
    Host.Assert InStr(Fixture1.Lifecycle, "ReadProperties") > 0, "reloaded from the bag"
    Host.Assert InStr(Fixture1.Lifecycle, "InitProperties") = 0, "not started new"
End Sub

Sub Test_PropertyChangesMarkTheFormDirty()
    Host.Assert Not Host.Dirty, "a new form is clean"
    Fixture1.Count = 3
    Inner1.Flag = True
    Host.Assert Host.Dirty, "changes mark the form dirty"
    Host.AssertEqual "Fixture1.Count" & vbLf & "Inner1.Flag", Host.Changes
    Host.SaveForm
    Host.Assert Not Host.Dirty, "saving clears the mark"
    Host.AssertEqual "", Host.Changes
End Sub

Sub Test_MessageBoxesAreRecorded()
    Host.MessageBoxAnswer = 2
    Host.AssertEqual 2, Fixture1.Report("Note this")
    Host.AssertEqual 1, Host.MessageBoxCount
    Host.AssertEqual "Note this", Host.MessageBoxText(1)
    Host.AssertEqual "Fixture host", Host.MessageBoxTitle(1), "the application's title"
    Host.AssertEqual 64, Host.MessageBoxStyle(1) And 240, "information icon"
    Inner1.Report "Second"
    Host.AssertEqual 2, Host.MessageBoxCount
    Host.ClearMessageBoxes
    Host.AssertEqual 0, Host.MessageBoxCount
End Sub

Sub Test_PixelsShowWhatTheControlsPaint()
    Fixture1.BackColor = RGB(0, 0, 255)
    Inner1.BackColor = RGB(0, 255, 0)
    Host.AssertEqual RGB(0, 0, 255), Host.Pixel("Fixture1", 100, 50)
    Host.AssertEqual RGB(0, 255, 0), Host.Pixel("Inner1", 2, 2)
    Host.AssertEqual RGB(0, 255, 0), Host.Pixel("Fixture1", 10, 10), "the inner control covers its container"
    Fixture1.BackColor = RGB(255, 255, 0)
    Host.AssertEqual RGB(255, 255, 0), Host.Pixel("Fixture1", 139, 59), "repainted after the change"
End Sub

Sub Test_MouseInputArrivesAtControlCoordinates()
    Host.MouseDown "Fixture1", 100, 40, 2, 1
    Host.AssertEqual "Fixture1_MouseDown 2, 1, 100, 40", Host.LastEvent, "right button with Shift"
    Host.MouseUp "Fixture1", 101, 41, 2
    Host.AssertEqual "Fixture1_MouseUp 2, 0, 101, 41", Host.LastEvent
    Host.ClearEvents
    Host.Click "Fixture1", 10, 12
    Host.AssertEqual "Inner1_MouseDown 1, 0, 5, 7" & vbLf & "Inner1_MouseUp 1, 0, 5, 7", Host.Events, _
        "the inner control is on top"
End Sub

Sub Test_KeysReachTheControl()
    Host.KeyPress "Fixture1", 113, 2
    Host.AssertEqual "Fixture1_KeyDown 113, 2", Host.LastEvent, "F2 with Ctrl"
    Host.ClearEvents
    Host.KeyPress "Inner1", 65
    Host.AssertEqual "Inner1_KeyDown 65, 0" & vbLf & "Inner1_KeyPress 97", Host.Events, "the key and its character"
    Host.AssertEqual "a", Inner1.Typed
End Sub

Sub Test_PropertyPagesApplyThroughTheFrame()
    Fixture1.Caption = ""
    Host.AssertEqual 1, Host.OpenPropertyPages("Fixture1")
    Host.Assert Host.PropertyFrameOpen, "the frame is open"
    Host.TypeInPropertyFrame "Paged"
    Host.AssertEqual "", Fixture1.Caption, "nothing applied before a button"
    Host.PressPropertyButton "Apply"
    Host.AssertEqual "Paged", Fixture1.Caption, "Apply applies"
    Host.Assert Host.PropertyFrameOpen, "Apply leaves the frame open"
    Host.TypeInPropertyFrame "!"
    Host.PressPropertyButton "Cancel"
    Host.Assert Not Host.PropertyFrameOpen, "Cancel closes"
    Host.AssertEqual "Paged", Fixture1.Caption, "Cancel applies nothing"
    Host.OpenPropertyPages "Fixture1"
    Host.TypeInPropertyFrame "?"
    Host.PressPropertyButton "OK"
    Host.Assert Not Host.PropertyFrameOpen, "OK closes"
    Host.AssertEqual "Paged?", Fixture1.Caption, "OK applies"
    Host.AssertEqual ";Paged;Paged?;", handled, "the page set the property through the control"
End Sub
