'@form Title="Pages host" Width=340 Height=240
'@control List1 CorvaneListbox.VelListbox 10 10 300 200
' The list box's property pages in the form's property frame, used as a designer
' uses them: access keys, typing, the list keys and the frame's buttons.
Option Explicit

Const kTab = 9, kUp = 38, kDown = 40, kCtrl = 2, kAlt = 4
Const kInformation = 64

' Three columns A, B, C keyed a, b, c, 60 pixels (900 twips) wide.
Sub AddColumns(count)
    Dim i
    For i = 1 To count
        List1.ColumnHeaders.Add , Chr(96 + i), Chr(64 + i), 900
    Next
End Sub

' Opens the frame on page `index`: 0 General, 1 ColumnHeaders, 2 Sorting.
Sub OpenPage(index)
    Host.AssertEqual 3, Host.OpenPropertyPages("List1"), "three pages"
    Dim i
    For i = 1 To index
        Host.PropertyFrameKey kTab, kCtrl
    Next
End Sub

' The access key of a label, check box or button on the current page.
Sub AccessKey(letter)
    Host.PropertyFrameKey Asc(UCase(letter)), kAlt
End Sub

' What to type to leave `text` in a field whose text is selected (a backspace for none).
Function Typed(text)
    If text = "" Then Typed = Chr(8) Else Typed = text
End Function

' Enters a field by its access key (which selects its text) and types over it.
Sub TypeInto(letter, text)
    AccessKey letter
    Host.TypeInPropertyFrame text
End Sub

Sub Test_GeneralShowsAndWritesTheMousePointerAndTheOtherFields()
    List1.MousePointer = 99
    OpenPage 0
    Host.AssertEqual "1- vel3D", Host.PropertyFrameText, "the first field has the focus"
    AccessKey "m"
    Host.AssertEqual "99 - vbCustom", Host.PropertyFrameText
    Host.PropertyFrameKey kUp
    Host.AssertEqual "15 - vbSizeAll", Host.PropertyFrameText
    Host.PressPropertyButton "Apply"
    Host.AssertEqual 15, List1.MousePointer
    Host.PropertyFrameKey kDown
    AccessKey "p"
    Host.PropertyFrameKey kUp
    AccessKey "b"
    Host.PropertyFrameKey kUp
    AccessKey "d"
    Host.PropertyFrameKey kDown
    AccessKey "t"
    Host.PropertyFrameKey kDown
    AccessKey "e"
    AccessKey "s"
    Host.PressPropertyButton "OK"
    Host.Assert Not Host.PropertyFrameOpen, "OK closes the frame"
    Host.AssertEqual 99, List1.MousePointer
    Host.AssertEqual 0, List1.Appearance
    Host.AssertEqual 0, List1.BorderStyle
    Host.AssertEqual 1, List1.OLEDropMode
    Host.AssertEqual 1, List1.SelectionType
    Host.AssertEqual False, List1.Enabled
    Host.AssertEqual True, List1.MultiSelect
End Sub

Sub Test_CancelWritesNothing()
    OpenPage 0
    AccessKey "s"
    OpenPage 2
    Host.PressPropertyButton "Cancel"
    OpenPage 2
    AccessKey "s"
    Host.PressPropertyButton "Cancel"
    Host.AssertEqual False, List1.MultiSelect
    Host.AssertEqual False, List1.Sorted
End Sub

Sub Test_InsertColumnOnAnEmptyListAppendsColumn1AndEditsIt()
    OpenPage 1
    Host.AssertEqual "&Insert Column", Host.PropertyFrameText, "the only field enabled"
    AccessKey "i"
    Host.AssertEqual 1, List1.ColumnHeaders.Count
    Host.AssertEqual "Column 1", Host.PropertyFrameText, "the focus goes to the text"
    Host.TypeInPropertyFrame "Name"
    TypeInto "w", "1500"
    TypeInto "k", "name"
    TypeInto "g", "tag"
    Host.PressPropertyButton "OK"
    With List1.ColumnHeaders(1)
        Host.AssertEqual "Name", .Text
        Host.AssertEqual 1500, .Width
        Host.AssertEqual "name", .Key
        Host.AssertEqual "tag", .Tag
    End With
End Sub

Sub Test_InsertAndRemoveOnOneColumnWorkAtOnce()
    AddColumns 1
    OpenPage 1
    Host.AssertEqual "1", Host.PropertyFrameText, "the index list has the focus"
    TypeInto "t", "Changed"
    ' Insert goes before the shown column; the edit belongs to the shown column.
    AccessKey "i"
    AccessKey "i"
    Host.AssertEqual 2, List1.ColumnHeaders.Count
    Host.AssertEqual "Column 2", List1.ColumnHeaders(1).Text
    Host.AssertEqual "Changed", List1.ColumnHeaders(2).Text
    Host.AssertEqual "Changed", Host.PropertyFrameText, "the shown column stays shown"
    AccessKey "r"
    Host.AssertEqual 1, List1.ColumnHeaders.Count
    Host.AssertEqual "Column 2", List1.ColumnHeaders(1).Text
    AccessKey "t"
    Host.AssertEqual "Column 2", Host.PropertyFrameText, "the remaining column is shown"
    AccessKey "r"
    Host.AssertEqual 0, List1.ColumnHeaders.Count
    AccessKey "r"
    Host.AssertEqual 0, List1.ColumnHeaders.Count, "nothing left to remove"
    Host.PressPropertyButton "OK"
    Host.AssertEqual 0, Host.MessageBoxCount
End Sub

Sub Test_ADuplicateKeyIsReportedAndTheOtherFieldsStillApply()
    AddColumns 3
    OpenPage 1
    TypeInto "k", "B"
    TypeInto "t", "First"
    AccessKey "i"
    Host.PropertyFrameKey kDown
    Host.AssertEqual 1, Host.MessageBoxCount
    Host.AssertEqual "Key already exists.", Host.MessageBoxText(1)
    Host.AssertEqual "Pages host", Host.MessageBoxTitle(1)
    Host.AssertEqual kInformation, Host.MessageBoxStyle(1) And kInformation
    Host.AssertEqual "First", List1.ColumnHeaders(1).Text
    Host.AssertEqual "a", List1.ColumnHeaders(1).Key
    AccessKey "t"
    Host.AssertEqual "B", Host.PropertyFrameText, "the second column is shown"
    Host.PressPropertyButton "Cancel"
End Sub

Sub Test_AWidthOf0IsReportedAndTheFieldShowsTheWidthAgain()
    AddColumns 2
    OpenPage 1
    TypeInto "w", "0"
    TypeInto "g", "kept"
    Host.PressPropertyButton "Apply"
    Host.AssertEqual 1, Host.MessageBoxCount
    Host.AssertEqual "Width must be greater than 0.", Host.MessageBoxText(1)
    Host.AssertEqual 900, List1.ColumnHeaders(1).Width
    Host.AssertEqual "kept", List1.ColumnHeaders(1).Tag
    AccessKey "w"
    Host.AssertEqual "900", Host.PropertyFrameText
    Host.PressPropertyButton "OK"
    Host.AssertEqual 1, Host.MessageBoxCount, "nothing more to apply"
End Sub

Sub Test_BadWidthsAreReportedWithTheirErrors()
    AddColumns 1
    Dim bad, expected, i
    bad = Array("abc", "-1", "99999999999", "")
    expected = Array("Type mismatch", "Width must be greater than 0.", "Overflow", "Type mismatch")
    OpenPage 1
    For i = 0 To UBound(bad)
        Host.ClearMessageBoxes
        TypeInto "w", Typed(bad(i))
        Host.PressPropertyButton "Apply"
        Host.AssertEqual 1, Host.MessageBoxCount, bad(i)
        Host.AssertEqual expected(i), Host.MessageBoxText(1), bad(i)
        Host.AssertEqual 900, List1.ColumnHeaders(1).Width, bad(i)
    Next
    ' The other text fields take any of these texts.
    For i = 0 To UBound(bad)
        TypeInto "t", Typed(bad(i))
        TypeInto "g", Typed(bad(i))
        Host.PressPropertyButton "Apply"
        Host.AssertEqual bad(i), List1.ColumnHeaders(1).Text
        Host.AssertEqual bad(i), CStr(List1.ColumnHeaders(1).Tag)
    Next
    Host.PressPropertyButton "Cancel"
End Sub

Sub Test_ALongTextComesBackWhole()
    AddColumns 2
    Dim huge
    huge = String(1048576, "x")
    List1.ColumnHeaders(1).Text = huge
    OpenPage 1
    TypeInto "k", "first"
    Host.PressPropertyButton "OK"
    Host.AssertEqual Len(huge), Len(List1.ColumnHeaders(1).Text)
    Host.AssertEqual "first", List1.ColumnHeaders(1).Key
    OpenPage 1
    TypeInto "t", String(3000, "y")
    Host.PressPropertyButton "OK"
    Host.AssertEqual String(3000, "y"), List1.ColumnHeaders(1).Text
End Sub

Sub Test_SortingWritesSortKeySortedAndSortOrder()
    AddColumns 2
    OpenPage 2
    TypeInto "k", "2"
    AccessKey "s"
    AccessKey "o"
    Host.PropertyFrameKey kDown
    Host.PressPropertyButton "OK"
    Host.AssertEqual 2, List1.SortKey
    Host.AssertEqual True, List1.Sorted
    Host.AssertEqual 1, List1.SortOrder
End Sub

Sub Test_ABadSortKeyReachesTheHostAndStopsTheApply()
    AddColumns 2
    Dim bad, expected, i
    bad = Array("5", "-1", "abc", "99999999999", "")
    expected = Array("SortKey value must be between 0 and the number of ColumnHeaders.", _
                     "SortKey value must be between 0 and the number of ColumnHeaders.", _
                     "Type mismatch", "Overflow", "Type mismatch")
    OpenPage 2
    AccessKey "s"
    For i = 0 To UBound(bad)
        Host.ClearMessageBoxes
        TypeInto "k", Typed(bad(i))
        Host.PressPropertyButton "OK"
        Host.Assert Host.PropertyFrameOpen, "the frame stays open: " & bad(i)
        Host.AssertEqual 1, Host.MessageBoxCount, bad(i)
        Host.AssertEqual expected(i), Host.MessageBoxText(1), bad(i)
        Host.AssertEqual 0, List1.SortKey, bad(i)
        Host.AssertEqual False, List1.Sorted, "the rest is not written: " & bad(i)
    Next
    Host.PressPropertyButton "Cancel"
End Sub

Sub Test_ColumnsRemovedByCodeWhileThePageIsOpenReceiveNoOtherColumnsValues()
    AddColumns 3
    OpenPage 1
    TypeInto "t", "Edited"
    List1.ColumnHeaders.Remove 1
    Host.PressPropertyButton "Apply"
    Host.AssertEqual "B", List1.ColumnHeaders(1).Text
    Host.AssertEqual "C", List1.ColumnHeaders(2).Text
    AccessKey "t"
    Host.AssertEqual "B", Host.PropertyFrameText, "the page shows the collection as it is"
    List1.ColumnHeaders.Clear
    AccessKey "i"
    AccessKey "i"
    Host.AssertEqual 0, List1.ColumnHeaders.Count, "the page caught up before inserting"
    AccessKey "i"
    Host.AssertEqual 1, List1.ColumnHeaders.Count
    Host.PressPropertyButton "OK"
    Host.AssertEqual 0, Host.MessageBoxCount
End Sub

Sub Test_SwitchingColumnsWithoutEditsWritesNothing()
    Host.UserMode = False
    AddColumns 3
    Host.SaveForm
    OpenPage 1
    Host.PropertyFrameKey kDown
    Host.PropertyFrameKey kDown
    Host.PropertyFrameKey kUp
    Host.PressPropertyButton "OK"
    Host.Assert Not Host.Dirty, Host.Changes
End Sub
