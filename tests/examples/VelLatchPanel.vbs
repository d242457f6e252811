'@control Options CorvaneCheckFrame.VelCheckFrame 10 10 240 160
'@control Express CorvaneCheckFrame.VelCheckFrame 16 36 200 50 in Options
Sub Form_Load()
    Options.Caption = "Ship the order"
    Options.Value = velChecked           ' Express is enabled while Options is checked
End Sub

Sub Options_CheckboxClick()
    MsgBox "Options is now " & Options.Value
End Sub
' end of example

' The example of the check frame's member reference (docs/reference/VelLatchPanel.md shows
' the lines above): the frame inside follows the outer frame's box.
Sub Test_TheFrameInsideIsEnabledWhileTheOuterOneIsChecked()
    Host.AssertEqual "Ship the order", Options.Caption
    Host.AssertEqual 1, Options.Value
    Host.Assert Express.Enabled, "checked: Express is enabled"
    Options.Value = velUnchecked
    Host.Assert Not Express.Enabled, "unchecked: Express is disabled"
End Sub
