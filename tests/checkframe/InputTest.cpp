// Mouse and keyboard handling against a recording stand-in for the control: the
// check area with its slack, the value tables, the pressed look, focus moves and the
// order of the events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CheckFrameInput.h"

namespace vel::test {
namespace {

using namespace checkframe;

class RecordingSink : public CheckFrameInputSink {
public:
    bool InputEnabled() const override { return enabled; }
    long CheckValue() const override { return value; }
    void SetValueByUser(long v) override {
        value = v;
        log.push_back("Value=" + std::to_string(v));
    }
    void RepaintCheckBox(bool pressed) override { log.push_back(pressed ? "pressed" : "unpressed"); }
    void MoveFocus(bool forward) override { log.push_back(forward ? "Tab" : "Shift+Tab"); }
    void RaiseEvent(DISPID id) override { log.push_back(Name(id)); }
    void RaiseMouseEvent(DISPID id, short, short, float, float) override { log.push_back(Name(id)); }
    void RaiseKeyEvent(DISPID id, short, short) override { log.push_back(Name(id)); }

    static std::string Name(DISPID id) {
        switch (id) {
        case kCheckboxClick: return "CheckboxClick";
        case kClick: return "Click";
        case kMouseDown: return "MouseDown";
        case kMouseMove: return "MouseMove";
        case kMouseUp: return "MouseUp";
        case kKeyDown: return "KeyDown";
        case kKeyUp: return "KeyUp";
        default: return "event " + std::to_string(id);
        }
    }

    bool enabled = true;
    long value = 0;
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

class CheckFrameInputTest : public ::testing::Test {
protected:
    CheckFrameInputTest() {
        // A 12 x 12 box at (9, 2), a caption 40 wide at (26, 1), 13 high.
        geometry.checkBoxLeft = 9;
        geometry.checkBoxTop = 2;
        geometry.captionLeft = 26;
        geometry.captionTop = 1;
        geometry.captionWidth = 40;
        geometry.captionHeight = 13;
    }

    void Click(float x, float y, short button = 1) {
        input.MouseDown(button, 0, x, y);
        input.MouseUp(button, 0, x, y);
    }

    CheckFrameGeometry geometry;
    RecordingSink sink;
    CheckFrameInput input{sink, geometry};
};

TEST_F(CheckFrameInputTest, TheCheckAreaHasTwoPixelsOfSlackAndTheBoxDecidesItsColumns) {
    EXPECT_TRUE(CheckFrameInput::HitCheckArea(geometry, 7, 8)) << "2 pixels left of the box";
    EXPECT_FALSE(CheckFrameInput::HitCheckArea(geometry, 6, 8)) << "3 pixels left";
    EXPECT_TRUE(CheckFrameInput::HitCheckArea(geometry, 23, 16)) << "2 pixels right of and below the box";
    EXPECT_FALSE(CheckFrameInput::HitCheckArea(geometry, 23, 17));
    EXPECT_TRUE(CheckFrameInput::HitCheckArea(geometry, 50, 7)) << "on the caption";
    EXPECT_TRUE(CheckFrameInput::HitCheckArea(geometry, 68, 16));
    EXPECT_FALSE(CheckFrameInput::HitCheckArea(geometry, 69, 7));
    EXPECT_FALSE(CheckFrameInput::HitCheckArea(geometry, 24, 17)) << "the caption's column, below it";
    EXPECT_FALSE(CheckFrameInput::HitCheckArea(geometry, 50, 40)) << "the frame body";
}

TEST_F(CheckFrameInputTest, ClicksAndTheSpaceBarNeverReachGreyed) {
    for (auto [before, click, space] : {std::tuple{0L, 1L, 1L}, {1L, 0L, 0L}, {2L, 0L, 1L}}) {
        EXPECT_EQ(CheckFrameInput::ValueAfterClick(before), click);
        EXPECT_EQ(CheckFrameInput::ValueAfterSpace(before), space);
    }
}

TEST_F(CheckFrameInputTest, AClickOnTheBoxTogglesBetweenMouseDownAndMouseUp) {
    Click(12, 8);
    EXPECT_EQ(sink.log, (Log{"pressed", "MouseDown", "Value=1", "unpressed", "CheckboxClick", "MouseUp"}));
    sink.log.clear();
    Click(40, 6);
    EXPECT_EQ(sink.value, 0) << "the caption toggles too";
    EXPECT_EQ(sink.log, (Log{"pressed", "MouseDown", "Value=0", "unpressed", "CheckboxClick", "MouseUp"}));
}

TEST_F(CheckFrameInputTest, ARightClickAndAClickInTheBodyRaiseClickOnly) {
    Click(12, 8, 2);
    EXPECT_EQ(sink.log, (Log{"MouseDown", "Click", "MouseUp"}));
    sink.log.clear();
    Click(100, 50);
    EXPECT_EQ(sink.log, (Log{"MouseDown", "Click", "MouseUp"}));
    EXPECT_EQ(sink.value, 0);
}

TEST_F(CheckFrameInputTest, DraggingOffTheBoxPopsItOutAndReleasingOutsideChangesNothing) {
    input.MouseDown(1, 0, 12, 8);
    input.MouseMove(1, 0, 100, 50);
    input.MouseMove(1, 0, 13, 9);
    input.MouseMove(1, 0, 100, 50);
    input.MouseUp(1, 0, 100, 50);
    EXPECT_EQ(sink.log, (Log{"pressed", "MouseDown", "MouseMove", "unpressed", "MouseMove", "pressed", "MouseMove",
                             "unpressed", "Click", "MouseUp"}));
    EXPECT_EQ(sink.value, 0);
    sink.log.clear();
    input.MouseMove(0, 0, 12, 8);
    EXPECT_EQ(sink.log, (Log{"MouseMove"})) << "no button, no repaint";
}

TEST_F(CheckFrameInputTest, TheSpaceBarPressesOnKeyDownAndTogglesOnKeyUpWithoutClick) {
    sink.value = 2;
    input.KeyDown(VK_SPACE, 0);
    input.KeyUp(VK_SPACE, 0);
    EXPECT_EQ(sink.log, (Log{"pressed", "KeyDown", "Value=1", "unpressed", "KeyUp"}));
}

TEST_F(CheckFrameInputTest, ArrowsMoveTheFocusOnlyWithoutShiftKeys) {
    input.KeyDown(VK_LEFT, 0);
    input.KeyDown(VK_UP, 0);
    input.KeyDown(VK_RIGHT, 0);
    input.KeyDown(VK_DOWN, 0);
    input.KeyDown(VK_UP, 2);
    EXPECT_EQ(sink.log, (Log{"Shift+Tab", "KeyDown", "Shift+Tab", "KeyDown", "Tab", "KeyDown", "Tab", "KeyDown", "KeyDown"}));
}

TEST_F(CheckFrameInputTest, ADisabledFrameNeitherPressesNorChanges) {
    sink.enabled = false;
    Click(12, 8);
    input.KeyDown(VK_SPACE, 0);
    input.KeyUp(VK_SPACE, 0);
    EXPECT_EQ(sink.value, 0);
    EXPECT_EQ(sink.log, (Log{"KeyDown", "KeyUp"}));
}

}  // namespace
}  // namespace vel::test
