// Animation sequences checked tick by tick: the test drives the timer's tick itself
// and reads the cells the shell was asked to show.
#include "NotifierHost.h"

namespace vel::test {
namespace {

using notifier::TrayAnimation;

class Animation : public NotifierTest {
protected:
    void Tick(int times) {
        for (int i = 0; i < times; ++i) TrayAnimation(TrayState::ForThread()).Tick();
    }

    // The positions of the cells shown so far (0 for an icon not in the collection).
    std::vector<int> Cells(const NotifierHost& host) {
        std::vector<int> cells;
        for (HICON shown : ShellRecorder::ShownIcons()) {
            int position = 0;
            for (int i = 1; i <= host.control->Icons().Count(); ++i)
                if (host.IconAt(i) == shown) position = i;
            cells.push_back(position);
        }
        return cells;
    }

    void Set(NotifierHost& host, const wchar_t* property, Variant value) {
        ASSERT_TRUE(Put(host.Disp(), property, std::move(value)).Ok()) << std::string(property, property + wcslen(property));
    }

    void Animate(NotifierHost& host) { Set(host, L"Animate", Variant::FromBool(true)); }
};

TEST_F(Animation, EveryStyleDirectionAndPass) {
    struct Case {
        long style;
        bool continuous;
        bool reverse;
        std::vector<int> cells;  // the start, then six ticks
    } cases[] = {
        {0, false, false, {1, 2, 3}},          {0, true, false, {1, 2, 3, 1, 2, 3, 1}},
        {0, false, true, {3, 2, 1}},           {0, true, true, {3, 2, 1, 3, 2, 1, 3}},
        {1, false, false, {1, 2, 3, 2, 1}},    {1, true, false, {1, 2, 3, 2, 1, 2, 3}},
        {1, false, true, {3, 2, 1, 2, 3}},     {1, true, true, {3, 2, 1, 2, 3, 2, 1}},
    };
    for (auto& c : cases) {
        NotifierHost host;
        host.AddIcons(3);
        Set(host, L"AnimationStyle", Num(c.style));
        Set(host, L"Continuous", Variant::FromBool(c.continuous));
        Set(host, L"ReverseAnimation", Variant::FromBool(c.reverse));
        Set(host, L"Interval", Num(30000));
        ShellRecorder::Requests().clear();
        Animate(host);
        Tick(6);
        EXPECT_EQ(Cells(host), c.cells) << "style " << c.style << " continuous " << c.continuous << " reverse " << c.reverse;
        EXPECT_EQ(TrayState::ForThread().timerActive, c.continuous) << "a single pass ends by itself";
        EXPECT_TRUE(AsLong(Get(host.Disp(), L"Animate")));
    }
}

TEST_F(Animation, WithoutAnIntervalTheStartingCellStays) {
    NotifierHost host;
    host.AddIcons(3);
    Set(host, L"ReverseAnimation", Variant::FromBool(true));
    Animate(host);
    Tick(3);
    EXPECT_EQ(Cells(host), std::vector<int>{3});
    EXPECT_FALSE(TrayState::ForThread().timerActive);
}

TEST_F(Animation, StartingAgainAfterASinglePassKeepsTheShownCell) {
    NotifierHost host;
    host.AddIcons(3);
    Set(host, L"Continuous", Variant::FromBool(false));
    Set(host, L"Interval", Num(30000));
    Animate(host);
    Tick(4);
    ShellRecorder::Requests().clear();
    Animate(host);
    EXPECT_TRUE(ShellRecorder::Requests().empty()) << "the icon is shown already: the tray keeps cell 3";
    Tick(4);
    EXPECT_EQ(Cells(host), (std::vector<int>{2, 3}));
}

TEST_F(Animation, CellsWithoutAPictureAreSkipped) {
    NotifierHost host;
    host.AddIcons(3);
    ASSERT_TRUE(Invoke(AsObject(Get(host.Icons().Get(), L"Item", {Num(2)})).Get(), L"Icon", DISPATCH_PROPERTYPUTREF,
                       {Obj(nullptr)}).Ok());
    Set(host, L"Interval", Num(30000));
    Animate(host);
    Tick(3);
    EXPECT_EQ(Cells(host), (std::vector<int>{1, 3, 1, 3}));
}

TEST_F(Animation, AFirstCellWithoutAPictureShowsNothing) {
    NotifierHost host;
    ASSERT_TRUE(Call(host.Icons().Get(), L"Add").Ok());
    host.AddIcons(2);
    Set(host, L"Interval", Num(30000));
    Animate(host);
    EXPECT_TRUE(ShellRecorder::Requests().empty());
    EXPECT_FALSE(TrayState::ForThread().iconShown);
    EXPECT_FALSE(TrayState::ForThread().timerActive);
}

TEST_F(Animation, ChangesWhileRunning) {
    NotifierHost host;
    host.AddIcons(4);
    Set(host, L"Interval", Num(30000));
    Animate(host);
    Tick(1);  // 1, 2
    Set(host, L"ReverseAnimation", Variant::FromBool(true));
    Tick(2);  // 4, 3
    Animate(host);  // while running: skips one cell
    Tick(1);  // 1
    EXPECT_EQ(Cells(host), (std::vector<int>{1, 2, 4, 3, 1}));
    // Icons appended join the sequence when the position reaches them.
    Set(host, L"ReverseAnimation", Variant::FromBool(false));
    host.AddIcons(1);
    Tick(5);
    EXPECT_EQ(Cells(host).back(), 5);
}

TEST_F(Animation, ASingleIconInPingPongStaysAndTicksChangeNothing) {
    NotifierHost host;
    host.AddIcons(1);
    Set(host, L"AnimationStyle", Num(1));
    Set(host, L"Interval", Num(100));
    Animate(host);
    Tick(5);
    for (int cell : Cells(host)) EXPECT_EQ(cell, 1);
    EXPECT_TRUE(TrayState::ForThread().iconShown);
}

TEST_F(Animation, ARemovedCurrentCellFreezesTheImageUntilStartedAgain) {
    NotifierHost host;
    host.AddIcons(3);
    Set(host, L"Interval", Num(30000));
    Animate(host);
    Tick(1);  // shows 2, current 3
    ASSERT_TRUE(Call(host.Icons().Get(), L"Remove", {Num(3)}).Ok());
    ShellRecorder::Requests().clear();
    Tick(3);
    EXPECT_TRUE(ShellRecorder::Requests().empty());
    Set(host, L"Interval", Num(20000));  // stops and starts again from the first cell
    Tick(1);
    EXPECT_EQ(Cells(host), std::vector<int>{2});
}

TEST_F(Animation, TheRealTimerTicks) {
    NotifierHost host;
    host.AddIcons(2);
    Set(host, L"Interval", Num(20));
    Animate(host);
    // Pump until the timer has shown a few cells; bounded, so a dead timer fails instead of hanging.
    for (int i = 0; i < 200 && ShellRecorder::ShownIcons().size() < 4; ++i) {
        Sleep(10);
        PumpMessages();
    }
    auto cells = Cells(host);
    ASSERT_GE(cells.size(), 4u);
    EXPECT_EQ(std::vector<int>(cells.begin(), cells.begin() + 4), (std::vector<int>{1, 2, 1, 2}));
}

}  // namespace
}  // namespace vel::test
