'@form Title="Developer host" Width=340 Height=240
'@control List1 CorvaneListbox.VelListbox 10 10 300 200
' What form code expects of the list box beyond its rules: fonts that apply when changed in
' place, optional arguments passed as Empty or Null (JScript's undefined and null), and
' out-of-range settings refused before they reach the saved form.
Option Explicit

' The error numbers of out-of-range settings, each tried on its own.
Function RefusedSettings()
    On Error Resume Next
    Dim s
    List1.ColumnHeaders(1).Alignment = 7: s = s & Err.Number & " ": Err.Clear
    List1.SelectionType = 5: s = s & Err.Number & " ": Err.Clear
    List1.Appearance = 9: s = s & Err.Number & " ": Err.Clear
    List1.Appearance = -1: s = s & Err.Number & " ": Err.Clear
    List1.BorderStyle = 3: s = s & Err.Number & " ": Err.Clear
    List1.SortOrder = 4: s = s & Err.Number & " ": Err.Clear
    List1.MousePointer = 999: s = s & Err.Number & " ": Err.Clear
    List1.OLEDropMode = 2: s = s & Err.Number & " ": Err.Clear
    List1.ColumnHeaders.Add , , "x", -5: s = s & Err.Number & " ": Err.Clear
    List1.ColumnHeaders.Add , , "x", 100, 3: s = s & Err.Number: Err.Clear
    RefusedSettings = s
End Function

Function AcceptedPointers()
    On Error Resume Next
    Dim s
    List1.MousePointer = 99: s = s & Err.Number & " ": Err.Clear
    List1.MousePointer = 15: s = s & Err.Number: Err.Clear
    AcceptedPointers = s
End Function

Sub Test_ChangingTheFontInPlaceRemeasuresRepaintsAndMarksTheFormChanged()
    Host.UserMode = False
    List1.ColumnHeaders.Add , , "Name"
    List1.ListItems.Add , , "Row"
    Dim before, headerBefore
    before = List1.ListItems(1).Height
    headerBefore = List1.ColumnHeaders(1).Height
    Host.SaveForm
    List1.Font.Size = 24
    Host.Assert List1.ListItems(1).Height > before, "the rows grow with the font"
    Host.Assert InStr(Host.Changes, "List1.Font") > 0, Host.Changes
    List1.ColumnHeaderFont.Bold = True
    List1.ColumnHeaderFont.Size = 20
    Host.Assert List1.ColumnHeaders(1).Height > headerBefore, "the header band grows with its font"
    Host.Assert InStr(Host.Changes, "List1.ColumnHeaderFont") > 0, Host.Changes
    Host.SaveForm
    Host.ReloadForm
    Host.Assert List1.Font.Size > 20, "the changed font is what is saved"
    Host.Assert List1.ColumnHeaderFont.Bold
End Sub

Sub Test_AFontAssignedWithoutSetNamesTheFaceOfTheControlsOwnFont()
    Host.UserMode = False
    List1.ColumnHeaders.Add , , "Name"
    List1.ListItems.Add , , "Row"
    Dim f, before
    Set f = List1.Font
    Host.SaveForm
    List1.Font = "Marlett"
    Host.Assert List1.Font Is f, "the control keeps its own font object"
    Host.Assert InStr(Host.Changes, "List1.Font") > 0, "the new face is heard: " & Host.Changes
    before = List1.ListItems(1).Height
    f.Size = 30
    Host.Assert List1.ListItems(1).Height > before, "still heard after the assignment"
End Sub

Sub Test_EmptyAndNullOptionalArgumentsCountAsOmitted()
    List1.ColumnHeaders.Add Null, "name", Null, Empty, Null
    Host.AssertEqual "Column 1", List1.ColumnHeaders(1).Text
    List1.ListItems.Add , , "first"
    List1.ListItems.Add Null, "k", "appended"
    List1.ListItems.Add Empty, Empty, "no key"
    Host.AssertEqual 3, List1.ListItems.Count
    Host.AssertEqual "appended", List1.ListItems("k").Text
    Host.AssertEqual 2, List1.ListItems("k").Index, "Null as Index appends"
    Host.AssertEqual "", List1.ListItems(3).Key
    List1.ListItems.Add 1, Null, "front"
    Host.AssertEqual "front", List1.ListItems(1).Text
End Sub

Sub Test_OutOfRangeSettingsAreRefusedWith380AndNeverSaved()
    Host.UserMode = False
    List1.ColumnHeaders.Add , , "Name"
    Host.AssertEqual "380 380 380 380 380 380 380 380 380 380", RefusedSettings()
    Host.AssertEqual 1, List1.ColumnHeaders.Count, "a refused Add adds nothing"
    Host.AssertEqual "0 0", AcceptedPointers(), "the custom pointer and the last standard one"
    Host.SaveForm
    Host.ReloadForm
    Host.AssertEqual 2, List1.ColumnHeaders(1).Alignment, "a new column is centred"
    Host.AssertEqual 0, List1.SelectionType
    Host.AssertEqual 1, List1.Appearance
    Host.AssertEqual 1, List1.BorderStyle
    Host.AssertEqual 0, List1.SortOrder
    Host.AssertEqual 15, List1.MousePointer
End Sub
