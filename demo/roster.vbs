'@form Title="Vel controls: list box" Width=900 Height=460 Properties=roster.vfp
'@control List1 CorvaneListbox.VelListbox 10 10 620 400
'@control Shipping CorvaneCheckFrame.VelCheckFrame 640 10 250 200
'@control Express CorvaneCheckFrame.VelCheckFrame 16 36 218 70 in Shipping
'@control Insured CorvaneCheckFrame.VelCheckFrame 16 116 218 70 in Shipping
'@control Tray1 CorvaneNotifier.VelNotifier 10 420 27 28

' A staff list of a few hundred rows in five columns. Drag a column divider to resize
' the column; click a row to select it. Tick the "Ship to the staff" check frame and the
' frames inside it come alive; untick it and they are disabled again.
Const RowCount = 300

Dim firstNames, lastNames, departments, cities
firstNames = Array("Ada", "Bruno", "Chiara", "Dmitri", "Elif", "Farah", "Gustav", "Hana", "Ivo", "Jonas", "Kaito", "Lena")
lastNames = Array("Andersen", "Bianchi", "Costa", "Dubois", "Eriksen", "Fischer", "Garcia", "Horvat", "Ilic", "Jensen")
departments = Array("Accounts", "Dispatch", "Engineering", "Legal", "Marketing", "Research", "Sales", "Support")
cities = Array("Aarhus", "Bologna", "Cork", "Dijon", "Graz", "Lyon", "Porto", "Tartu")

Sub Form_Load()
    With List1.ColumnHeaders
        .Add , "id", "No.", 600, 1
        .Add , "name", "Name", 2400, 0
        .Add , "dept", "Department", 1800, 0
        .Add , "city", "City", 1500, 0
        .Add , "ext", "Extension", 1200, 2
    End With
    List1.Redraw = False
    Dim i, item
    For i = 1 To RowCount
        Set item = List1.ListItems.Add(, "k" & i, CStr(i))
        item.SubItems(1) = firstNames(i Mod 12) & " " & lastNames((i * 7) Mod 10)
        item.SubItems(2) = departments((i * 3) Mod 8)
        item.SubItems(3) = cities((i * 5) Mod 8)
        item.SubItems(4) = CStr(2000 + (i * 37) Mod 900)
    Next
    List1.Redraw = True
    List1.ListItems(3).Selected = True
    Shipping.Caption = "Ship to the staff"
    Shipping.Value = 1
    Express.Caption = "Express delivery"
    Insured.Caption = "Insured parcel"
    Insured.Value = 2
    ' The notifier's icons are saved with the form (roster.vfp, drawn by TrayIcons.cmake).
    Tray1.Animate = True
End Sub

' A click on the tray icon selects the first row and puts the time into the icon's tip.
Sub Tray1_Click()
    List1.ListItems(1).Selected = True
    Tray1.ToolTipText = "Clicked at " & Time
End Sub
