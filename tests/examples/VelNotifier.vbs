'@control Tray1 CorvaneNotifier.VelNotifier 10 10 32 32
Sub Form_Load()
    Tray1.Icons.Add , "idle", Host.LoadPicture("idle.ico")
    Tray1.Icons.Add , "busy", Host.LoadPicture("busy.ico")
    Tray1.ToolTipText = "Working..."
    Tray1.Interval = 250                 ' milliseconds per cell; 0 shows one still icon
    Tray1.AnimationStyle = velPingPong
    Tray1.Animate = True                 ' run time only: the icon enters the tray
End Sub

Sub Tray1_DblClick()
    Tray1.Animate = False                ' stops the animation; the icon stays in the tray
End Sub
' end of example

' The example of the notifier's member reference (docs/reference/VelNotifier.md shows the
' lines above): what it sets, and an icon that stays in the tray when the animation stops.
Sub Test_TheExampleFillsAndAnimatesTheIcon()
    Host.AssertEqual 2, Tray1.Icons.Count
    Host.AssertEqual "busy", Tray1.Icons(2).Key
    Host.AssertEqual 3, Tray1.Icons("idle").Icon.Type, "an icon picture"
    Host.AssertEqual "Working...", Tray1.ToolTipText
    Host.AssertEqual velPingPong, Tray1.AnimationStyle
    Host.Assert Tray1.Animate
    Host.AssertEqual 0, Host.MessageBoxCount
End Sub

Sub Test_StoppingTheAnimationKeepsTheIconShown()
    Tray1_DblClick
    Host.Assert Tray1.Animate, "the icon is still in the tray"
    Tray1.Icons.Clear
    Host.Assert Not Tray1.Animate, "the last icon removed: the icon left the tray"
End Sub
