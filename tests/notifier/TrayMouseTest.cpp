// Mouse notifications of the tray icon, sent to the notifier's window as the shell
// sends them (message 1525), and the events form code gets for them.
#include "NotifierHost.h"

namespace vel::test {
namespace {

enum : DISPID { kClick = 1, kDblClick = 2, kMouseDown = 3, kMouseMove = 4, kMouseUp = 5, kBalloonClick = 6, kBalloonClose = 7 };

void Notify(HWND window, UINT mouseMessage) { SendMessageW(window, 1525, 100, mouseMessage); }

short ShortArgument(const RecordedEvent& e, size_t i) {
    VARIANT value{};
    VariantChangeType(&value, const_cast<VARIANT*>(&e.arguments[i].Get()), 0, VT_I2);
    return value.iVal;
}

float SingleArgument(const RecordedEvent& e, size_t i) {
    VARIANT value{};
    VariantChangeType(&value, const_cast<VARIANT*>(&e.arguments[i].Get()), 0, VT_R4);
    return value.fltVal;
}

// Holds keys down in the thread's keyboard state for the life of the scope.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys) {
        GetKeyboardState(saved_);
        BYTE state[256];
        memcpy(state, saved_, sizeof state);
        for (int key : keys) state[key] = 0x80;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

TEST_F(NotifierTest, EachShellNotificationRaisesItsEvents) {
    NotifierHost host;
    auto& recorded = host.RecordEvents();
    struct Case {
        UINT message;
        std::vector<DISPID> events;
        short button;
    } cases[] = {
        {WM_LBUTTONDOWN, {kMouseDown}, 1},  {WM_LBUTTONUP, {kClick, kMouseUp}, 1}, {WM_LBUTTONDBLCLK, {kDblClick}, 0},
        {WM_RBUTTONDOWN, {kMouseDown}, 2},  {WM_RBUTTONUP, {kMouseUp}, 2},         {WM_RBUTTONDBLCLK, {}, 0},
        {WM_MBUTTONDOWN, {kMouseDown}, 4},  {WM_MBUTTONUP, {kMouseUp}, 4},         {WM_MBUTTONDBLCLK, {}, 0},
        {WM_USER, {}, 0},
        // A balloon: shown (nothing), clicked, timed out, taken away.
        {NIN_BALLOONSHOW, {}, 0},           {NIN_BALLOONUSERCLICK, {kBalloonClick}, 0},
        {NIN_BALLOONTIMEOUT, {kBalloonClose}, 0}, {NIN_BALLOONHIDE, {kBalloonClose}, 0},
    };
    for (auto& c : cases) {
        recorded.ClearLog();
        Notify(host.Window(), c.message);
        EXPECT_EQ(recorded.Ids(), c.events) << "message 0x" << std::hex << c.message;
        if (c.button != 0) {
            ASSERT_EQ(recorded.Events().back().arguments.size(), 4u);
            EXPECT_EQ(ShortArgument(recorded.Events().back(), 0), c.button);
        } else if (!c.events.empty()) {
            EXPECT_TRUE(recorded.Events().back().arguments.empty());
        }
    }
    // Other messages the window gets raise nothing; Enabled does not matter.
    recorded.ClearLog();
    SendMessageW(host.Window(), 1524, 100, WM_LBUTTONDOWN);
    EXPECT_TRUE(recorded.Ids().empty());
    ASSERT_TRUE(Put(host.Disp(), L"Enabled", Variant::FromBool(false)).Ok());
    Notify(host.Window(), WM_LBUTTONUP);
    EXPECT_EQ(recorded.Ids(), (std::vector<DISPID>{kClick, kMouseUp}));
}

TEST_F(NotifierTest, ADoubleClickAsTheShellReportsIt) {
    NotifierHost host;
    auto& recorded = host.RecordEvents();
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Notify(host.Window(), m);
    EXPECT_EQ(recorded.Ids(), (std::vector<DISPID>{kMouseDown, kClick, kMouseUp, kDblClick, kClick, kMouseUp}));
}

TEST_F(NotifierTest, KeysButtonsAndTheCursorPositionInTwips) {
    NotifierHost host;
    auto& recorded = host.RecordEvents();
    SetCursorPos(123, 45);
    POINT cursor{};
    GetCursorPos(&cursor);
    {
        HeldKeys keys{VK_CONTROL};
        Notify(host.Window(), WM_LBUTTONDOWN);
    }
    {
        HeldKeys keys{VK_SHIFT, VK_MENU, VK_RBUTTON};
        Notify(host.Window(), WM_MOUSEMOVE);
    }
    ASSERT_EQ(recorded.Events().size(), 2u);
    const RecordedEvent& down = recorded.Events()[0];
    EXPECT_EQ(ShortArgument(down, 1), 2) << "Ctrl";
    EXPECT_FLOAT_EQ(SingleArgument(down, 2), cursor.x * 15.0f);
    EXPECT_FLOAT_EQ(SingleArgument(down, 3), cursor.y * 15.0f);
    const RecordedEvent& move = recorded.Events()[1];
    EXPECT_EQ(move.id, kMouseMove);
    EXPECT_EQ(ShortArgument(move, 0), 2) << "the buttons held: right";
    EXPECT_EQ(ShortArgument(move, 1), 5) << "Shift and Alt";
}

TEST_F(NotifierTest, AtDesignTimeTheWindowIsNotHooked) {
    NotifierHost host(false);
    auto& recorded = host.RecordEvents();
    Notify(host.Window(), WM_LBUTTONDOWN);
    EXPECT_TRUE(recorded.Ids().empty());
}

TEST_F(NotifierTest, AHandlerThatClosesTheFormDuringAClickIsSafe) {
    auto host = std::make_unique<NotifierHost>();
    com::ComPtr<EventRecorder> recorded(&host->RecordEvents());
    HWND window = host->Window();
    recorded->OnEvent([&](const RecordedEvent& e) {
        if (e.id == kClick) host->Close();
    });
    Notify(window, WM_LBUTTONUP);
    EXPECT_EQ(recorded->Ids(), (std::vector<DISPID>{kClick})) << "the closed control's sink is gone";
    recorded->OnEvent(nullptr);
    recorded.Reset();
    host.reset();
}

}  // namespace
}  // namespace vel::test
