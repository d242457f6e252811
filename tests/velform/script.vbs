'@form Title="Script only" Width=200 Height=100
' Test mode and the Host object without controls.
Option Explicit

Dim loaded
loaded = False

Sub Form_Load()
    loaded = True
End Sub

Sub Test_FormLoadRunsBeforeEachTest()
    Host.Assert loaded, "Form_Load ran"
    Host.AssertEqual 0, Host.EventCount, "a fresh form has no events"
End Sub

Sub Test_AssertEqualComparesLikeVBScript()
    Host.AssertEqual 3, 1 + 2
    Host.AssertEqual "abc", "a" & "bc"
    Host.AssertEqual Empty, Empty
    Host.AssertEqual Null, Null
End Sub

Sub Test_RunTimeByDefault()
    Host.Assert Host.TestMode, "test mode"
    Host.Assert Host.UserMode, "tests run at run time"
    Host.UserMode = False
    Host.Assert Not Host.UserMode, "switched to design time"
End Sub

Sub Test_PumpWaits()
    Dim started
    started = Timer
    Host.Pump 200
    Host.Assert Timer - started >= 0.15, "Pump waited"
End Sub

Sub Test_ErrorsAreTrappable()
    On Error Resume Next
    Host.MessageBoxText 1
    Host.AssertEqual True, Err.Number <> 0, "no message box 1"
    On Error GoTo 0
    Host.AssertEqual 0, Host.MessageBoxCount
End Sub

Sub Test_SaveWithoutControls()
    Host.SaveForm
    Host.Assert Not Host.IsSaved("Nobody", "Caption")
    Host.Assert InStr(Host.SavedText, "VelForm properties 1") = 1, "saved text header"
End Sub
