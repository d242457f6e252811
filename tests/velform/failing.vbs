'@form Title="Failures"
' Every test here fails; the test checks how each failure is reported.
Option Explicit

Sub Test_Passes()
    Host.Assert True
End Sub

Sub Test_AssertionFails()
    Host.Assert 1 = 2, "one is not two"
End Sub

Sub Test_AssertEqualFails()
    Host.AssertEqual "left", "right", "strings differ"
End Sub

Sub Test_RuntimeError()
    Dim n
    n = 1 / 0
End Sub

Sub Helper()
    Err.Raise 5, "failing", "raised in a helper"
End Sub

Sub Test_ErrorInCalledSub()
    Helper
End Sub

Sub Test_FailCalled()
    Host.Fail "explicit"
End Sub
