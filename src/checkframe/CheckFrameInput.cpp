#include "CheckFrameInput.h"

namespace vel::checkframe {
namespace {

constexpr short kLeftButton = 1;
constexpr short kSpace = VK_SPACE;

bool Within(float value, long low, long high) { return low <= value && value <= high; }

}  // namespace

bool CheckFrameInput::HitCheckArea(const CheckFrameGeometry& g, float x, float y) {
    if (Within(x, g.checkBoxLeft - 2, g.checkBoxLeft + g.checkBoxWidth + 2))
        return Within(y, g.checkBoxTop - 2, g.checkBoxTop + g.checkBoxHeight + 2);
    if (Within(x, g.captionLeft - 2, g.captionLeft + g.captionWidth + 2))
        return Within(y, g.captionTop - 2, g.captionTop + g.captionHeight + 2);
    return false;
}

void CheckFrameInput::MouseDown(short button, short shift, float x, float y) {
    if (!sink_.InputEnabled()) return;
    if (button == kLeftButton && Hit(x, y)) sink_.RepaintCheckBox(true);
    sink_.RaiseMouseEvent(kMouseDown, button, shift, x, y);
}

// While a button is held the box looks pressed exactly while the pointer is over it.
void CheckFrameInput::MouseMove(short button, short shift, float x, float y) {
    sink_.RaiseMouseEvent(kMouseMove, button, shift, x, y);
    if (button != 0 && sink_.InputEnabled()) sink_.RepaintCheckBox(Hit(x, y));
}

void CheckFrameInput::MouseUp(short button, short shift, float x, float y) {
    if (!sink_.InputEnabled()) return;
    if (button == kLeftButton && Hit(x, y)) {
        ClickCheckBox();
    } else {
        sink_.RaiseEvent(kClick);
    }
    sink_.RaiseMouseEvent(kMouseUp, button, shift, x, y);
}

void CheckFrameInput::ClickCheckBox() {
    sink_.SetValueByUser(ValueAfterClick(sink_.CheckValue()));
    sink_.RepaintCheckBox(false);
    sink_.RaiseEvent(kCheckboxClick);
}

void CheckFrameInput::KeyDown(short keyCode, short shift) {
    if (shift == 0 && (keyCode == VK_LEFT || keyCode == VK_UP)) sink_.MoveFocus(false);
    else if (shift == 0 && (keyCode == VK_RIGHT || keyCode == VK_DOWN)) sink_.MoveFocus(true);
    else if (keyCode == kSpace && sink_.InputEnabled()) sink_.RepaintCheckBox(true);
    sink_.RaiseKeyEvent(kKeyDown, keyCode, shift);
}

void CheckFrameInput::KeyUp(short keyCode, short shift) {
    if (keyCode == kSpace && sink_.InputEnabled()) {
        sink_.SetValueByUser(ValueAfterSpace(sink_.CheckValue()));
        sink_.RepaintCheckBox(false);
    }
    sink_.RaiseKeyEvent(kKeyUp, keyCode, shift);
}

}  // namespace vel::checkframe
