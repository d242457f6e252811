#pragma once
#include <windows.h>
#include <olectl.h>

#include "CheckFrameInputSink.h"
#include "CheckFrameView.h"

namespace vel::checkframe {

// Event identifiers of the check frame's event interface.
enum CheckFrameEvent : DISPID {
    kCheckboxClick = 1,
    kClick = DISPID_CLICK,
    kDblClick = DISPID_DBLCLICK,
    kKeyDown = DISPID_KEYDOWN,
    kKeyPress = DISPID_KEYPRESS,
    kKeyUp = DISPID_KEYUP,
    kMouseDown = DISPID_MOUSEDOWN,
    kMouseMove = DISPID_MOUSEMOVE,
    kMouseUp = DISPID_MOUSEUP,
};

// Mouse and keyboard handling of the check frame: which points count as the check
// area, how a click and the space bar change the value (the user never reaches
// greyed), the pressed look while the button is held, arrow keys moving the focus,
// and the events in their order. A disabled frame changes nothing.
class CheckFrameInput {
public:
    CheckFrameInput(CheckFrameInputSink& sink, const CheckFrameGeometry& geometry) : sink_(sink), geometry_(geometry) {}

    // The check box, or failing that the caption, with two pixels to spare each way.
    static bool HitCheckArea(const CheckFrameGeometry& g, float x, float y);
    static long ValueAfterClick(long value) { return value == 0 ? 1 : 0; }
    static long ValueAfterSpace(long value) { return value == 1 ? 0 : 1; }

    void MouseDown(short button, short shift, float x, float y);
    void MouseMove(short button, short shift, float x, float y);
    void MouseUp(short button, short shift, float x, float y);
    void KeyDown(short keyCode, short shift);
    void KeyUp(short keyCode, short shift);
    // A click on the check box: the value after a click, the box repainted, CheckboxClick.
    void ClickCheckBox();

private:
    bool Hit(float x, float y) const { return HitCheckArea(geometry_, x, y); }

    CheckFrameInputSink& sink_;
    const CheckFrameGeometry& geometry_;
};

}  // namespace vel::checkframe
