#pragma once
#include <windows.h>
#include <ocidl.h>

#include <string>

namespace vel::roster {

class VelColumnHeader;
class VelColumnHeaders;
class VelListItem;
class VelListItems;

// Everything one repaint of the list box draws from, in pixels of its client area.
struct ListboxView {
    long width = 0;   // ScaleWidth
    long height = 0;  // ScaleHeight
    short border = 0;
    long headerHeight = 0;
    long rowHeight = 0;
    bool showHeaders = true;
    bool userMode = true;
    bool hasFocus = false;
    bool multiSelect = false;
    long selectionType = 0;
    long borderStyle = 1;
    long appearance = 1;
    OLE_COLOR backColor = 0;
    OLE_COLOR foreColor = 0;
    OLE_COLOR headerForeColor = 0;
    IFontDisp* font = nullptr;
    IFontDisp* headerFont = nullptr;
    const VelListItems* items = nullptr;
    const VelColumnHeaders* columns = nullptr;
    const VelListItem* selectedItem = nullptr;
    const VelColumnHeader* pressedColumn = nullptr;
    long horizontalOffset = 0;  // scrLR.Value while it is visible, else 0
    long verticalOffset = 0;    // scrUD.Value
    bool hBarVisible = false;
    bool vBarVisible = false;
    long hBarTop = 0;
    long hBarHeight = 0;
    long vBarLeft = 0;
    long vBarWidth = 0;
    bool cornerSquare = false;  // both bars needed
    bool sizeGrip = false;      // the corner lies at the container's lower-right corner
    std::wstring displayName;
};

}  // namespace vel::roster
