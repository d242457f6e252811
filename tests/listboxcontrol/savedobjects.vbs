'@form Title="Saved objects" Width=340 Height=240 Properties=savedobjects.vfp
'@control List1 CorvaneListbox.VelListbox 10 10 300 200
' The saved properties give the list box's Font as a saved list box: only fonts and
' pictures are loaded from saved properties, so the form is refused with a clear error.
Option Explicit

Sub Test_ASavedListBoxIsNoFont()
    Host.Assert False, "a form whose saved properties hold a list box as a font must not load"
End Sub
