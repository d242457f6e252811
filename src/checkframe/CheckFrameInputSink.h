#pragma once
#include <windows.h>
#include <oaidl.h>

namespace vel::checkframe {

// What the check frame's input handling needs of its control.
class CheckFrameInputSink {
public:
    virtual bool InputEnabled() const = 0;
    virtual long CheckValue() const = 0;
    // The user changed the value: store it and let the contained controls follow (the
    // host hears no property change for it).
    virtual void SetValueByUser(long value) = 0;
    virtual void RepaintCheckBox(bool pressed) = 0;
    // Keystrokes that move the focus to the next (Tab) or previous (Shift+Tab) control.
    virtual void MoveFocus(bool forward) = 0;
    virtual void RaiseEvent(DISPID id) = 0;
    virtual void RaiseMouseEvent(DISPID id, short button, short shift, float x, float y) = 0;
    virtual void RaiseKeyEvent(DISPID id, short keyCode, short shift) = 0;

protected:
    ~CheckFrameInputSink() = default;
};

}  // namespace vel::checkframe
