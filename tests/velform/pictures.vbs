'@form Title="Pictures" Width=200 Height=120
'@control Fixture1 VelFixture.Fixture 10 10 100 60
' Pictures from files: bitmaps, icons and cursors as standard picture objects,
' saved back to files, and the errors of bad files.
Option Explicit

Const picNone = 0, picBitmap = 1, picIcon = 3

Dim fso
Set fso = CreateObject("Scripting.FileSystemObject")

Function TempFile(extension)
    TempFile = fso.BuildPath(fso.GetSpecialFolder(2), "velform-" & fso.GetTempName() & extension)
End Function

' HIMETRIC to pixels at the screen's 96 dots per inch.
Function Pixels(himetric)
    Pixels = Round(himetric * 96 / 2540)
End Function

Sub AssertPicture(picture, pictureType, width, height, what)
    Host.AssertEqual pictureType, picture.Type, what & ": type"
    Host.AssertEqual width, Pixels(picture.Width), what & ": width"
    Host.AssertEqual height, Pixels(picture.Height), what & ": height"
    Host.Assert picture.Handle <> 0, what & ": handle"
End Sub

' The error a statement raises, as "number description" ("0 " when none). The
' statements are named here, since Wine's script engine has no Execute.
Function ErrorOf(statement)
    On Error Resume Next
    Select Case statement
        Case "load a missing file": Host.LoadPicture "pictures/missing.bmp"
        Case "load a broken file": Host.LoadPicture "pictures/broken.bmp"
        Case "save Nothing": Host.SavePicture Nothing, TempFile(".bmp")
        Case "save an empty picture": Host.SavePicture Host.LoadPicture(), TempFile(".bmp")
        Case "save into no folder": Host.SavePicture Host.LoadPicture("pictures/red.bmp"), "Z:\no\such\folder\x.bmp"
    End Select
    ErrorOf = Err.Number & " " & Err.Description
    Err.Clear
End Function

Sub Test_BitmapsIconsAndCursorsLoad()
    AssertPicture Host.LoadPicture("pictures/red.bmp"), picBitmap, 8, 6, "bitmap"
    AssertPicture Host.LoadPicture("pictures\blue.ico"), picIcon, 16, 16, "icon"
    AssertPicture Host.LoadPicture("pictures/square.cur"), picIcon, 32, 32, "cursor"
    Dim picture
    Set picture = Host.LoadPicture("pictures/red.bmp")
    Set Fixture1.Picture = picture
    Host.AssertEqual picture.Handle, Fixture1.Picture.Handle, "a control takes the picture"
End Sub

Sub Test_NoPathGivesAnEmptyPicture()
    Host.AssertEqual picNone, Host.LoadPicture().Type
    Host.AssertEqual 0, Host.LoadPicture("").Handle
End Sub

Sub Test_SavedPicturesLoadBack()
    Dim kind, file, saved
    For Each kind In Array("red.bmp", "blue.ico", "square.cur")
        Set saved = Host.LoadPicture("pictures/" & kind)
        file = TempFile(".pic")
        Host.SavePicture saved, file
        AssertPicture Host.LoadPicture(file), saved.Type, Pixels(saved.Width), Pixels(saved.Height), "saved " & kind
        fso.DeleteFile file
    Next
    file = TempFile(".bmp")
    Host.SavePicture Host.LoadPicture("pictures/red.bmp"), file
    Host.AssertEqual 198, fso.GetFile(file).Size, "the bitmap file is saved whole"
    Host.AssertEqual "BM", fso.OpenTextFile(file).Read(2)
    fso.DeleteFile file
End Sub

Sub Test_BadFilesRaiseErrors()
    Host.AssertEqual "53 File not found", ErrorOf("load a missing file")
    Host.AssertEqual "481 Invalid picture", ErrorOf("load a broken file")
    Host.AssertEqual "13 Type mismatch", ErrorOf("save Nothing")
    Host.AssertEqual "481 Invalid picture", ErrorOf("save an empty picture")
    Host.AssertEqual "75 Path/File access error", _
        ErrorOf("save into no folder")
End Sub
