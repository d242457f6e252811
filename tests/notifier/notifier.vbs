'@form Title="Notifier host" Width=200 Height=80 Properties=../../demo/roster.vfp
'@control Tray1 CorvaneNotifier.VelNotifier 10 10 27 28
' The notifier on a form, driven as form code drives it: its icons restored from the
' saved form (the demo's four drawn icons), errors, message boxes, persistence and pages.
Option Explicit

Sub Test_TheSavedIconsAndSettingsComeBack()
    Host.AssertEqual 4, Tray1.Icons.Count
    Host.AssertEqual "pulse 2", Tray1.Icons(2).Name
    Host.AssertEqual 3, Tray1.Icons(1).Icon.Type, "an icon picture"
    Host.AssertEqual 250, Tray1.Interval
    Host.AssertEqual 1, Tray1.AnimationStyle
    Host.AssertEqual "Vel controls demo", Tray1.ToolTipText
    Host.AssertEqual 0, Host.MessageBoxCount
End Sub

Sub Test_AddShowsItsFailuresInMessageBoxes()
    Dim added
    Set added = Tray1.Icons.Add(0)
    Host.Assert added Is Nothing
    Tray1.Icons(1).Key = "first"
    Set added = Tray1.Icons.Add(, " FIRST ")
    Tray1.Icons.Add , , "not a picture"
    Host.AssertEqual 3, Host.MessageBoxCount
    Host.AssertEqual "Subscript out of range", Host.MessageBoxText(1)
    Host.AssertEqual "Key already exists.", Host.MessageBoxText(2)
    Host.AssertEqual "Type mismatch", Host.MessageBoxText(3)
    Host.AssertEqual "Notifier host", Host.MessageBoxTitle(1), "the application's title"
    Host.AssertEqual 4, Tray1.Icons.Count
    Set added = Tray1.Icons.Add(1, "second", Tray1.Icons(4).Icon)
    Host.AssertEqual 2, added.Index, "inserted after the position given"
End Sub

Sub Test_ErrorsReachFormCodeWithTheirNumbersAndTexts()
    On Error Resume Next
    Tray1.Interval = -1
    Host.AssertEqual 380, Err.Number
    Host.AssertEqual "Invalid property value", Err.Description
    Host.AssertEqual "VelNotifier", Err.Source
    Err.Clear
    Dim icon
    Set icon = Tray1.Icons(9)
    Host.AssertEqual -2147220451, Err.Number, "&H8004041D"
    Host.AssertEqual "Index out of bounds.", Err.Description
    Err.Clear
    Tray1.Icons.Remove "nokey"
    Host.AssertEqual 9, Err.Number
    Err.Clear
    Tray1.Icons(1).Key = "k"
    Tray1.Icons(2).Key = "K"
    Host.AssertEqual 50001, Err.Number
    Host.AssertEqual "Key already exists.", Err.Description
    Err.Clear
    Set Tray1.Icons(1).Icon = Nothing
    Host.AssertEqual 0, Err.Number
    On Error GoTo 0
    Host.AssertEqual 250, Tray1.Interval
End Sub

Sub Test_AnInvalidAnimationStyleIsShownAndKept()
    Tray1.AnimationStyle = 5
    Host.AssertEqual 1, Host.MessageBoxCount
    Host.AssertEqual "Invalid property value", Host.MessageBoxText(1)
    Host.AssertEqual 1, Tray1.AnimationStyle
End Sub

Sub Test_IconsAndSettingsSurviveSavingAndReloading()
    Host.UserMode = False
    Host.SaveForm
    Tray1.Icons.Remove 2
    Host.Assert Host.Dirty, "icon changes mark the form changed"
    Tray1.Icons(1).Key = "a"
    Tray1.Icons(1).Tag = "tagged"
    Tray1.ReverseAnimation = True
    Tray1.ToolTipText = "saved"
    Host.SaveForm
    Host.ReloadForm
    Host.AssertEqual 3, Tray1.Icons.Count
    Host.AssertEqual "tagged", Tray1.Icons("a").Tag
    Host.AssertEqual "pulse 3", Tray1.Icons(2).Name
    Host.Assert Tray1.Icons(3).Icon.Handle <> 0, "the pictures come back"
    Host.Assert Tray1.ReverseAnimation
    Host.AssertEqual "saved", Tray1.ToolTipText
End Sub

Sub Test_AnimateStartsOnlyAtRunTime()
    Host.UserMode = False
    Tray1.Animate = True
    Host.Assert Not Tray1.Animate, "nothing is shown at design time"
    Host.UserMode = True
    Tray1.Animate = True
    Host.Assert Tray1.Animate
    Tray1.Icons.Clear
    Host.Assert Not Tray1.Animate, "the icon leaves with the last picture"
End Sub

Sub Test_ThePropertyFrameShowsBothPages()
    Host.UserMode = False
    Host.AssertEqual 2, Host.OpenPropertyPages("Tray1")
    Host.PressPropertyButton "Cancel"
    Host.Assert Not Host.PropertyFrameOpen
End Sub

Sub Test_TheBoxShowsAtDesignTimeOnly()
    Dim corner
    Host.UserMode = True
    corner = Host.Pixel("Tray1", 0, 0)
    Host.AssertEqual corner, Host.Pixel("Tray1", 13, 14), "at run time the form shows through"
    Host.AssertEqual corner, Host.Pixel("Tray1", 26, 27)
    Host.UserMode = False
    Host.Assert Host.Pixel("Tray1", 0, 0) <> corner Or Host.Pixel("Tray1", 13, 14) <> corner, "the design-time box"
    Host.UserMode = True
    Host.AssertEqual corner, Host.Pixel("Tray1", 13, 14), "and it goes again"
End Sub
