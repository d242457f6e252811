'@form Title="Check frame host" Width=420 Height=260
'@control Frame1 CorvaneCheckFrame.VelCheckFrame 10 10 240 180
'@control Inner1 CorvaneCheckFrame.VelCheckFrame 20 40 180 50 in Frame1
'@control Inner2 CorvaneCheckFrame.VelCheckFrame 20 100 180 50 in Frame1
'@control Other1 CorvaneCheckFrame.VelCheckFrame 260 10 150 60
' Check frames on a form, as form code uses them: the value governing the frames
' inside, errors for bad values, the events of the mouse and the keyboard in their
' order, the form saved and reloaded, and the General page in the property frame.
Option Explicit

' The check box sits 9 pixels from the left, near the top.
Const BoxX = 14
Const BoxY = 6

Sub AssertInnerEnabled(expected, why)
    Host.AssertEqual expected, Inner1.Enabled, why
    Host.AssertEqual expected, Inner2.Enabled, why
End Sub

Function ErrorOf(name, value)
    On Error Resume Next
    Select Case name
        Case "Value": Frame1.Value = value
        Case "Alignment": Frame1.Alignment = value
        Case "Appearance": Frame1.Appearance = value
        Case "BorderStyle": Frame1.BorderStyle = value
    End Select
    ErrorOf = Err.Number & " " & Err.Description
    Err.Clear
End Function

Sub Test_ANewFrameIsUncheckedAndItsContentsAreDisabled()
    Host.Pump
    Host.AssertEqual 0, Frame1.Value
    Host.AssertEqual "Frame1", Frame1.Caption
    AssertInnerEnabled False, "an unchecked frame disables what it holds"
    Host.Assert Other1.Enabled, "a frame outside is not touched"
End Sub

Sub Test_TheValueGovernsTheContainedControls()
    Frame1.Value = 1
    AssertInnerEnabled True, "checked"
    Frame1.Value = 2
    AssertInnerEnabled False, "greyed disables like unchecked"
    Frame1.Value = 1
    Frame1.Enabled = False
    AssertInnerEnabled False, "a disabled frame disables its contents"
    Frame1.Enabled = True
    AssertInnerEnabled True, "enabling the frame at run time enables them again"
End Sub

Sub Test_AtDesignTimeTheContentsFollowTheValueToo()
    Host.UserMode = False
    Frame1.Value = 1
    AssertInnerEnabled True, "design time"
    Frame1.Value = 0
    AssertInnerEnabled False, "design time"
End Sub

Sub Test_OutOfRangeValuesRaiseInvalidPropertyValueAndChangeNothing()
    Frame1.Value = 1
    Dim bad
    For Each bad In Array(-1, 3, 65536)
        Host.AssertEqual "380 Invalid property value", ErrorOf("Value", bad)
        Host.AssertEqual "380 Invalid property value", ErrorOf("Alignment", bad)
        Host.AssertEqual "380 Invalid property value", ErrorOf("Appearance", bad)
        Host.AssertEqual "380 Invalid property value", ErrorOf("BorderStyle", bad)
    Next
    Host.AssertEqual 1, Frame1.Value
    AssertInnerEnabled True, "the contents stay as they were"
    Host.AssertEqual "13 Type mismatch", ErrorOf("Value", "abc")
    Host.AssertEqual "13 Type mismatch", ErrorOf("Alignment", Null)
    Host.AssertEqual 1, Frame1.Value
    Host.AssertEqual 0, Frame1.Alignment
    Host.AssertEqual 1, Frame1.Appearance
    Host.AssertEqual 1, Frame1.BorderStyle
End Sub

Sub Test_AClickOnTheBoxTogglesAndRaisesCheckboxClickBetweenMouseDownAndMouseUp()
    Host.ClearEvents
    Host.Click "Frame1", BoxX, BoxY
    Host.AssertEqual 1, Frame1.Value
    AssertInnerEnabled True, "the contents follow a click"
    Dim log: log = Host.Events
    Host.Assert InStr(log, "Frame1_MouseDown") > 0, log
    Host.Assert InStr(log, "Frame1_MouseDown") < InStr(log, "Frame1_CheckboxClick"), log
    Host.Assert InStr(log, "Frame1_CheckboxClick") < InStr(log, "Frame1_MouseUp"), log
    Host.Assert InStr(log, "Frame1_Click") = 0, log
    Host.Click "Frame1", BoxX, BoxY
    Host.AssertEqual 0, Frame1.Value
    AssertInnerEnabled False, "unchecked again"
End Sub

Sub Test_GreyedGoesToUncheckedOnAClickAndToCheckedOnTheSpaceBar()
    Frame1.Value = 2
    Host.Click "Frame1", BoxX, BoxY
    Host.AssertEqual 0, Frame1.Value
    Frame1.Value = 2
    Host.ClearEvents
    Host.KeyPress "Frame1", 32
    Host.AssertEqual 1, Frame1.Value
    AssertInnerEnabled True, "the contents follow the space bar"
    Host.Assert InStr(Host.Events, "CheckboxClick") = 0, "the space bar raises no CheckboxClick"
    Host.Assert InStr(Host.Events, "Frame1_KeyUp") > 0, Host.Events
End Sub

Sub Test_ARightClickOrAClickInTheBodyRaisesClickAndLeavesTheValue()
    Host.ClearEvents
    Host.Click "Frame1", BoxX, BoxY, 2
    Host.Click "Frame1", 120, 170
    Host.AssertEqual 0, Frame1.Value
    Host.AssertEqual 2, UBound(Split(Host.Events, "Frame1_Click")), Host.Events
End Sub

Sub Test_DraggingOffTheBoxAndReleasingOutsideChangesNothing()
    Host.MouseDown "Frame1", BoxX, BoxY
    Host.MouseMove "Frame1", 120, 170, 1
    Host.MouseUp "Frame1", 120, 170
    Host.AssertEqual 0, Frame1.Value
End Sub

Sub Test_ADisabledFrameIgnoresClicksAndTheSpaceBar()
    Frame1.Enabled = False
    Host.Click "Frame1", BoxX, BoxY
    Host.AssertEqual 0, Frame1.Value
End Sub

Sub Test_TheFrameIsSavedAndReloadedWithItsContentsFollowing()
    Host.UserMode = False
    Frame1.Caption = "Delivery"
    Frame1.Alignment = 2
    Frame1.Value = 1
    Frame1.UseMaskColor = True
    Inner1.Caption = "Express"
    Host.SaveForm
    Host.AssertEqual 2, Host.SavedProperty("Frame1", "Alignment")
    Host.AssertEqual "Delivery", Host.SavedProperty("Frame1", "Caption")
    Host.Assert Not Host.IsSaved("Frame1", "Picture"), "no picture, nothing saved"
    Host.ReloadForm
    Host.AssertEqual "Delivery", Frame1.Caption
    Host.AssertEqual 2, Frame1.Alignment
    Host.AssertEqual 1, Frame1.Value
    Host.Assert Frame1.UseMaskColor
    Host.AssertEqual "Express", Inner1.Caption
    AssertInnerEnabled True, "the reloaded contents follow the value"
End Sub

Sub Test_SettingAPropertyTellsTheHost()
    Host.UserMode = False
    Host.SaveForm
    Frame1.Value = 1
    Frame1.Caption = "Changed"
    Host.Assert Host.Dirty
    Host.Assert InStr(Host.Changes, "Frame1.Value") > 0, Host.Changes
    Host.Assert InStr(Host.Changes, "Frame1.Caption") > 0, Host.Changes
End Sub

Sub Test_TheGeneralPageEditsTheFrame()
    Host.UserMode = False
    Host.AssertEqual 1, Host.OpenPropertyPages("Frame1")
    Host.TypeInPropertyFrame "Paid"
    Host.PressPropertyButton "OK"
    Host.Assert Not Host.PropertyFrameOpen
    Host.AssertEqual "Paid", Frame1.Caption
End Sub

' The picture of tests/checkframe/pictures/tick.bmp: 16 x 16, magenta with a red
' diagonal and a blue top-right pixel. After a reload the box is the picture plus 3
' pixels, at (9, 1), and the picture sits 2 pixels inside it.
Const PictureX = 11
Const PictureY = 3

Sub AssertTickPixels(why)
    Host.AssertEqual RGB(200, 0, 0), Host.Pixel("Frame1", PictureX + 5, PictureY + 5), why & ": diagonal"
    Host.AssertEqual RGB(0, 0, 255), Host.Pixel("Frame1", PictureX + 15, PictureY), why & ": corner"
    Host.AssertEqual RGB(255, 0, 255), Host.Pixel("Frame1", PictureX + 8, PictureY + 2), why & ": opaque mask colour"
End Sub

Sub Test_APictureIsSavedWithTheFormAndReloadsPixelForPixel()
    Host.UserMode = False
    Set Frame1.Picture = Host.LoadPicture("pictures/tick.bmp")
    Frame1.Value = 1
    Host.SaveForm
    Host.AssertEqual "VelBitmap1:", Left(Host.SavedProperty("Frame1", "Picture"), 11)
    Host.ReloadForm
    Host.Assert Not Frame1.Picture Is Nothing, "the picture came back"
    Host.AssertEqual 1, Frame1.Picture.Type
    Host.Pump
    AssertTickPixels "after the reload"
    Frame1.MaskColor = RGB(255, 0, 255)
    Frame1.UseMaskColor = True
    Host.Pump
    Host.AssertEqual RGB(200, 0, 0), Host.Pixel("Frame1", PictureX + 5, PictureY + 5), "the picture shows"
    Host.Assert Host.Pixel("Frame1", PictureX + 8, PictureY + 2) <> RGB(255, 0, 255), "the mask colour is transparent"
End Sub

Sub Test_OnlyBitmapsArePicturesAndOnlyIconsAreMouseIcons()
    Dim icon, bitmap
    Set icon = Host.LoadPicture("../velform/pictures/blue.ico")
    Set bitmap = Host.LoadPicture("pictures/tick.bmp")
    On Error Resume Next
    Set Frame1.Picture = icon
    Host.AssertEqual 380, Err.Number, "an icon is no picture for the box"
    Err.Clear
    Set Frame1.MouseIcon = bitmap
    Host.AssertEqual -2147220453, Err.Number
    Host.AssertEqual "MouseIcon only accepts a picture of type icon or cursor.", Err.Description
    Err.Clear
    Set Frame1.MouseIcon = icon
    Host.AssertEqual 0, Err.Number, "an icon is a mouse icon"
    Set Frame1.MouseIcon = Nothing
    Host.AssertEqual 0, Err.Number, "Nothing is accepted"
    On Error GoTo 0
    Host.Assert Frame1.Picture Is Nothing
    Set Frame1.Picture = bitmap
    Set Frame1.Picture = Nothing
    Host.Assert Frame1.Picture Is Nothing, "Nothing clears the picture"
End Sub
