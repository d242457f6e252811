#pragma once
#include <windows.h>
#include <ocidl.h>

#include <string>

#include "FontDescription.h"

namespace vel::checkframe {

class CPicture;

// Parts of a repaint; any combination. rdAll draws everything into a new
// off-screen bitmap, the others draw into the one kept from the last full repaint.
enum RepaintFlags : unsigned char {
    rdFrame = 1,      // background and frame line
    rdCheckBox = 4,   // check box
    rdCaption = 8,    // caption strip (the frame line is redrawn with it)
    rdPressed = 16,   // the check box in its pressed look, with rdCheckBox
    rdAll = 15,
};

enum CheckFrameAlignment : long { kLeftJustify = 0, kRightJustify = 1, kRightCaptionJustify = 2 };

// Where check box and caption sit, in pixels of the control. The sizes are kept by
// the control; each repaint places the boxes and the focus rectangle.
struct CheckFrameGeometry {
    long checkBoxLeft = 0;
    long checkBoxTop = 0;
    long checkBoxWidth = 12;
    long checkBoxHeight = 12;
    long captionLeft = 0;
    long captionTop = 0;
    long captionWidth = 0;
    long captionHeight = 0;
    long eraseWidth = 0;   // the wider of the caption before and after the last change
    RECT focus{};          // the caption rectangle of the last repaint
};

// Everything one repaint draws from besides the geometry.
struct CheckFrameView {
    long width = 0;
    long height = 0;
    long alignment = kLeftJustify;
    long appearance = 1;   // 0 flat, 1 3-D
    long borderStyle = 1;  // 0 none, 1 fixed single
    long value = 0;        // 0 unchecked, 1 checked, 2 greyed
    std::wstring caption;
    bool hasFont = false;
    drawing::FontDescription font;
    OLE_COLOR backColor = 0x8000000F;
    OLE_COLOR foreColor = 0x80000012;
    bool enabled = true;
    bool hasFocus = false;
    bool useMaskColor = false;
    CPicture* picture = nullptr;  // the picture entry, when a picture is set
};

}  // namespace vel::checkframe
