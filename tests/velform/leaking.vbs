'@form Title="Leak"
'@control Fixture1 VelFixture.Fixture 10 10 100 40
' The fixture keeps itself alive: the host must find it when the form has closed.
Option Explicit

Sub Test_ObjectsLeftAliveFailTheTest()
    Fixture1.Retain
End Sub
