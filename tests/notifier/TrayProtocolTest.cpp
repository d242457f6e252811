// The notifier's conversation with the shell (a recorder stands in for it): when the
// icon is added, changed and deleted, what the record carries, and the properties
// that lead there.
#include "MemoryPropertyBag.h"
#include "NotifierHost.h"

namespace vel::test {
namespace {

constexpr HRESULT kInvalidValue = static_cast<HRESULT>(0x800A017C);

TEST_F(NotifierTest, AtDesignTimeNothingIsShownAndTheTipIsOnlyStored) {
    NotifierHost host(false);
    host.AddIcons(2);
    EXPECT_TRUE(Put(host.Disp(), L"Animate", Variant::FromBool(true)).Ok());
    EXPECT_FALSE(AsLong(Get(host.Disp(), L"Animate")));
    ASSERT_TRUE(Put(host.Disp(), L"ToolTipText", Str(L"Hello")).Ok());
    EXPECT_EQ(AsText(Get(host.Disp(), L"ToolTipText")), L"Hello");
    EXPECT_EQ(ShellRecorder::CountOf(NIM_ADD), 0u);
    ASSERT_EQ(ShellRecorder::Requests().size(), 1u) << "only the tip request, which the shell refuses";
    EXPECT_EQ(ShellRecorder::Requests()[0].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(ShellRecorder::Requests()[0].data.uFlags, static_cast<UINT>(NIF_TIP));
}

TEST_F(NotifierTest, AnimateAddsTheFirstIconWithTheWholeRecord) {
    NotifierHost host;
    ASSERT_TRUE(Put(host.Disp(), L"Animate", Variant::FromBool(true)).Ok());
    EXPECT_TRUE(ShellRecorder::Requests().empty()) << "no icons: nothing to show";
    EXPECT_FALSE(AsLong(Get(host.Disp(), L"Animate")));

    host.AddIcons(3);
    ASSERT_TRUE(Put(host.Disp(), L"ToolTipText", Str(L"Tray tip")).Ok());
    ShellRecorder::Requests().clear();
    ASSERT_TRUE(Put(host.Disp(), L"Animate", Variant::FromBool(true)).Ok());
    ASSERT_EQ(ShellRecorder::Requests().size(), 1u);
    const ShellRequest& add = ShellRecorder::Requests()[0];
    EXPECT_EQ(add.message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(add.data.cbSize, sizeof(NOTIFYICONDATAW)) << "the wide record, with balloons";
    EXPECT_EQ(add.data.hWnd, host.Window());
    EXPECT_EQ(add.data.uID, 100u);
    EXPECT_EQ(add.data.uFlags, 7u);
    EXPECT_EQ(add.data.uCallbackMessage, 1525u);
    EXPECT_EQ(add.data.hIcon, host.IconAt(1));
    EXPECT_EQ(add.Tip(), L"Tray tip");
    EXPECT_EQ(std::wstring(add.data.szTip + 9, 55), std::wstring(55, L' ')) << "padded with blanks after the NUL";
    EXPECT_EQ(std::wstring(add.data.szTip + 64, 64), std::wstring(64, L'\0')) << "and nothing beyond 64";
    EXPECT_TRUE(AsLong(Get(host.Disp(), L"Animate"))) << "a still icon (interval 0) animates";
    EXPECT_FALSE(TrayState::ForThread().timerActive);

    // Stopping leaves the icon; a new interval starts again from the first cell.
    ASSERT_TRUE(Put(host.Disp(), L"Animate", Variant::FromBool(false)).Ok());
    EXPECT_TRUE(AsLong(Get(host.Disp(), L"Animate")));
    ASSERT_TRUE(Put(host.Disp(), L"Interval", Num(200)).Ok());
    EXPECT_TRUE(TrayState::ForThread().timerActive);
    EXPECT_EQ(ShellRecorder::CountOf(NIM_ADD), 1u) << "the icon is added once";

    host.Close();
    EXPECT_EQ(ShellRecorder::Requests().back().message, static_cast<DWORD>(NIM_DELETE));
}

TEST_F(NotifierTest, TheTipIsCutToFitItsFieldWithItsTerminator) {
    NotifierHost host;
    host.AddIcons(1);
    std::wstring longTip(100, L'x');
    ASSERT_TRUE(Put(host.Disp(), L"ToolTipText", Str(longTip.c_str())).Ok());
    EXPECT_EQ(AsText(Get(host.Disp(), L"ToolTipText")), longTip) << "the property keeps the whole text";
    ASSERT_TRUE(Put(host.Disp(), L"Animate", Variant::FromBool(true)).Ok());
    const ShellRequest& add = ShellRecorder::Requests().back();
    EXPECT_EQ(add.Tip(), std::wstring(63, L'x'));
    EXPECT_EQ(add.data.szTip[63], L'\0');

    std::wstring huge(1 << 20, L'y');
    ASSERT_TRUE(Put(host.Disp(), L"ToolTipText", Str(huge.c_str())).Ok());
    EXPECT_EQ(ShellRecorder::Requests().back().Tip(), std::wstring(63, L'y'));
    EXPECT_EQ(AsText(Get(host.Disp(), L"ToolTipText")).size(), huge.size());
}

// Greek, Cyrillic and Chinese reach the shell as they are, whatever the code page; a
// character outside the basic plane is kept whole or left out whole at the cut.
TEST_F(NotifierTest, TipsInEveryLanguageReachTheShellUnchanged) {
    NotifierHost host;
    host.AddIcons(1);
    const std::wstring tip = L"\x0395\x03BB\x03BB\x03B7\x03BD\x03B9\x03BA\x03AC \x041F\x0440\x0438\x0432\x0435\x0442 \x4E2D\x6587 \xD83D\xDE00";
    ASSERT_TRUE(Put(host.Disp(), L"ToolTipText", Str(tip.c_str())).Ok());
    ASSERT_TRUE(Put(host.Disp(), L"Animate", Variant::FromBool(true)).Ok());
    EXPECT_EQ(ShellRecorder::Requests().back().Tip(), tip);

    const std::wstring pairAtTheCut = std::wstring(62, L'x') + L"\xD83D\xDE00";
    ASSERT_TRUE(Put(host.Disp(), L"ToolTipText", Str(pairAtTheCut.c_str())).Ok());
    const ShellRequest& change = ShellRecorder::Requests().back();
    EXPECT_EQ(change.Tip(), std::wstring(62, L'x'));
    EXPECT_EQ(change.data.szTip[63], L' ');
}

void BroadcastTaskbarCreated() {
    SendNotifyMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    PumpMessages();
}

// The shell announces a new taskbar to top-level windows; the notifier's window is a
// child of its form, so a hidden top-level window hears it and the icon comes back
// with the image and tip it had. Settings are untouched, and only a shown icon returns.
TEST_F(NotifierTest, ARestartedTaskbarGetsTheShownIconBackOnce) {
    BroadcastTaskbarCreated();
    EXPECT_TRUE(ShellRecorder::Requests().empty()) << "no icon shown: nothing to add";

    NotifierHost first;
    NotifierHost second;
    EXPECT_TRUE(GetWindowLongW(first.Window(), GWL_STYLE) & WS_CHILD);
    second.AddIcons(3);
    ASSERT_TRUE(Put(second.Disp(), L"ToolTipText", Str(L"\x041F\x0440\x0438\x0432\x0435\x0442")).Ok());
    ASSERT_TRUE(Put(second.Disp(), L"Interval", Num(5000)).Ok());
    ASSERT_TRUE(Put(second.Disp(), L"Animate", Variant::FromBool(true)).Ok());
    notifier::TrayAnimation(TrayState::ForThread()).Tick();  // the second cell is shown now
    HWND watch = TrayState::ForThread().TaskbarWatchWindow();
    ASSERT_TRUE(watch);
    EXPECT_EQ(GetAncestor(watch, GA_PARENT), GetDesktopWindow()) << "a top-level window";
    EXPECT_FALSE(IsWindowVisible(watch));

    ShellRecorder::Requests().clear();
    BroadcastTaskbarCreated();
    ASSERT_EQ(ShellRecorder::Requests().size(), 1u) << "two notifiers on the form, one icon";
    const ShellRequest& add = ShellRecorder::Requests()[0];
    EXPECT_EQ(add.message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(add.data.uFlags, 7u);
    EXPECT_EQ(add.data.hWnd, second.Window());
    EXPECT_EQ(add.data.uID, 100u);
    EXPECT_EQ(add.data.uCallbackMessage, 1525u);
    EXPECT_EQ(add.data.hIcon, second.IconAt(2)) << "the image shown last";
    EXPECT_EQ(add.Tip(), L"\x041F\x0440\x0438\x0432\x0435\x0442");
    EXPECT_TRUE(TrayState::ForThread().timerActive) << "the animation runs on";
    EXPECT_EQ(AsLong(Get(first.Disp(), L"Interval")), 5000);

    // Twice in a row: added again (a shell that still has it refuses); the icon id is one.
    BroadcastTaskbarCreated();
    EXPECT_EQ(ShellRecorder::CountOf(NIM_ADD), 2u);
    EXPECT_EQ(ShellRecorder::Requests().back().data.uID, 100u);

    // During a handler, which then takes the icon away: the watch goes with the icon.
    auto& recorded = second.RecordEvents();
    recorded.OnEvent([&](const RecordedEvent& e) {
        if (e.id != 1) return;
        SendMessageW(watch, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        Call(second.Icons().Get(), L"Clear", {});
    });
    SendMessageW(second.Window(), 1525, 100, WM_LBUTTONUP);
    EXPECT_EQ(ShellRecorder::CountOf(NIM_ADD), 3u);
    EXPECT_EQ(ShellRecorder::Requests().back().message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_FALSE(IsWindow(watch)) << "no window is left to hear the next restart";
    ShellRecorder::Requests().clear();
    BroadcastTaskbarCreated();
    EXPECT_TRUE(ShellRecorder::Requests().empty());
    recorded.OnEvent(nullptr);
}

enum : long { kBalloonNone, kBalloonInfo, kBalloonWarning, kBalloonError, kBalloonCurrentIcon };

// A balloon over the shown icon: texts cut to their fields (a character outside the
// basic plane is never parted), an embedded NUL ends the text as the shell reads it,
// an empty text takes a balloon away; a time-out goes to the shell, which keeps it
// within its own bounds. Negative time-outs and unknown pictures are refused.
TEST_F(NotifierTest, BalloonsReachTheShellOverTheShownIconOnly) {
    NotifierHost host;
    host.AddIcons(2);
    ASSERT_TRUE(Put(host.Disp(), L"ToolTipText", Str(L"tip")).Ok());
    ShellRecorder::Requests().clear();
    ASSERT_TRUE(Call(host.Disp(), L"ShowBalloon", {Str(L"not yet")}).Ok());
    EXPECT_TRUE(ShellRecorder::Requests().empty()) << "no icon shown: no balloon";

    ASSERT_TRUE(Put(host.Disp(), L"Animate", Variant::FromBool(true)).Ok());
    ASSERT_TRUE(Call(host.Disp(), L"ShowBalloon", {Str(L"Text"), Str(L"Title"), Num(kBalloonWarning), Num(15000)}).Ok());
    const ShellRequest& balloon = ShellRecorder::Requests().back();
    EXPECT_EQ(balloon.message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(balloon.data.uFlags, static_cast<UINT>(NIF_INFO)) << "the tip and image are left alone";
    EXPECT_EQ(balloon.data.hWnd, host.Window());
    EXPECT_EQ(balloon.BalloonText(), L"Text");
    EXPECT_EQ(balloon.BalloonTitle(), L"Title");
    EXPECT_EQ(balloon.data.dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
    EXPECT_EQ(balloon.data.uTimeout, 15000u);

    ASSERT_TRUE(Call(host.Disp(), L"ShowBalloon", {Str(L"mine"), Missing(), Num(kBalloonCurrentIcon)}).Ok());
    EXPECT_EQ(ShellRecorder::Requests().back().data.dwInfoFlags, static_cast<DWORD>(NIIF_USER));
    EXPECT_EQ(ShellRecorder::Requests().back().data.hBalloonIcon, host.IconAt(1));
    ASSERT_TRUE(Call(host.Disp(), L"ShowBalloon", {Str(L"plain")}).Ok());
    EXPECT_EQ(ShellRecorder::Requests().back().BalloonTitle(), L"");
    EXPECT_EQ(ShellRecorder::Requests().back().data.dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
    EXPECT_EQ(ShellRecorder::Requests().back().data.uTimeout, 0u);

    const std::wstring huge(1 << 20, L'z');
    const std::wstring pairAtTheCut = std::wstring(254, L'p') + L"\xD83D\xDE00";
    struct Case {
        std::wstring text, title;
        std::wstring shownText, shownTitle;
    } texts[] = {
        {L"", L"", L"", L""},
        {huge, huge, std::wstring(255, L'z'), std::wstring(63, L'z')},
        {std::wstring(L"ab\0cd", 5), std::wstring(L"t\0u", 3), L"ab", L"t"},
        {pairAtTheCut, L"", std::wstring(254, L'p'), L""},
    };
    for (auto& c : texts) {
        ASSERT_TRUE(Call(host.Disp(), L"ShowBalloon", {Variant::FromString(c.text), Variant::FromString(c.title)}).Ok());
        const ShellRequest& r = ShellRecorder::Requests().back();
        EXPECT_EQ(r.BalloonText(), c.shownText) << c.text.size();
        EXPECT_EQ(r.BalloonTitle(), c.shownTitle) << c.title.size();
    }
    for (long timeout : {0L, 0x7FFFFFFFL}) {
        ASSERT_TRUE(Call(host.Disp(), L"ShowBalloon", {Str(L"t"), Missing(), Num(kBalloonNone), Num(timeout)}).Ok());
        EXPECT_EQ(ShellRecorder::Requests().back().data.uTimeout, static_cast<UINT>(timeout));
    }
    const size_t before = ShellRecorder::Requests().size();
    for (auto bad : {std::pair<long, long>{kBalloonInfo, -1}, {kBalloonInfo, -0x7FFFFFFF}, {5, 0}, {-1, 0}}) {
        CallResult refused = Call(host.Disp(), L"ShowBalloon", {Str(L"t"), Missing(), Num(bad.first), Num(bad.second)});
        EXPECT_EQ(refused.hr, kInvalidValue) << bad.first << " " << bad.second;
        EXPECT_EQ(refused.description, L"Invalid property value");
    }
    EXPECT_EQ(ShellRecorder::Requests().size(), before) << "nothing refused reaches the shell";

    // The tip and the image survive every balloon.
    ASSERT_TRUE(Put(host.Disp(), L"ToolTipText", Str(L"tip again")).Ok());
    EXPECT_EQ(ShellRecorder::Requests().back().Tip(), L"tip again");
    EXPECT_EQ(ShellRecorder::Requests().back().data.hIcon, host.IconAt(1));
}

TEST_F(NotifierTest, RemovingIconsStopsTheAnimationAndTheLastOneLeavesTheTray) {
    NotifierHost host;
    host.AddIcons(3);
    ASSERT_TRUE(Put(host.Disp(), L"Interval", Num(5000)).Ok());
    ASSERT_TRUE(Put(host.Disp(), L"Animate", Variant::FromBool(true)).Ok());
    EXPECT_TRUE(TrayState::ForThread().timerActive);
    auto icons = host.Icons();
    ASSERT_TRUE(Call(icons.Get(), L"Remove", {Num(1)}).Ok());
    EXPECT_TRUE(TrayState::ForThread().timerActive);
    ASSERT_TRUE(Call(icons.Get(), L"Remove", {Num(1)}).Ok());
    EXPECT_FALSE(TrayState::ForThread().timerActive);
    EXPECT_TRUE(TrayState::ForThread().iconShown);
    EXPECT_EQ(ShellRecorder::CountOf(NIM_DELETE), 0u);
    ASSERT_TRUE(Call(icons.Get(), L"Remove", {Num(1)}).Ok());
    EXPECT_EQ(ShellRecorder::CountOf(NIM_DELETE), 1u);
    EXPECT_FALSE(AsLong(Get(host.Disp(), L"Animate")));
}

TEST_F(NotifierTest, BadPropertyValues) {
    NotifierHost host;
    ASSERT_TRUE(Put(host.Disp(), L"Interval", Num(300)).Ok());
    CallResult negative = Put(host.Disp(), L"Interval", Num(-1));
    EXPECT_EQ(negative.hr, kInvalidValue);
    EXPECT_EQ(negative.description, L"Invalid property value");
    EXPECT_EQ(negative.source, L"VelNotifier");
    EXPECT_EQ(AsLong(Get(host.Disp(), L"Interval")), 300);
    EXPECT_FALSE(Put(host.Disp(), L"Interval", Num(40000)).Ok()) << "16-bit";

    ASSERT_TRUE(Put(host.Disp(), L"AnimationStyle", Num(1)).Ok());
    host.site->messages.clear();
    EXPECT_TRUE(Put(host.Disp(), L"AnimationStyle", Num(5)).Ok()) << "reported, not raised";
    EXPECT_EQ(AsLong(Get(host.Disp(), L"AnimationStyle")), 1);
    ASSERT_EQ(host.site->messages.size(), 1u);
    EXPECT_EQ(host.site->messages[0], L"Invalid property value|<application>");

    // Add's failures reach the host's message box too.
    auto bitmap = MakeBitmapPicture(RGB(1, 1, 1));
    host.site->messages.clear();
    EXPECT_TRUE(Call(host.Icons().Get(), L"Add", {Missing(), Missing(), Obj(bitmap.Get())}).Ok());
    ASSERT_EQ(host.site->messages.size(), 1u);
    EXPECT_EQ(host.site->messages[0], L"Invalid icon.|<application>");
}

// A saved value that reads as nothing of its key's type is no reason to guess: the bag
// is refused whole and the notifier is a new one.
TEST_F(NotifierTest, AnUnreadableSavedValueRefusesTheWholeBag) {
    const std::pair<const wchar_t*, Variant> unreadable[] = {
        {L"Interval", Str(L"soon")}, {L"Continuous", Str(L"maybe")}, {L"IconCount", Str(L"two")}, {L"IconName2", Null()}};
    for (auto& [key, value] : unreadable) {
        auto bag = com::Make<hosting::MemoryPropertyBag>();
        for (auto [name, saved] : {std::pair{L"ToolTipText", Str(L"saved")}, {L"IconCount", Num(2)}, {L"IconName1", Str(L"one")}})
            bag->Write(name, saved.Ptr());
        Variant bad = value;
        bag->Write(key, bad.Ptr());
        auto control = hosting::MakeControl<VelNotifier>();
        ComPtr<IPersistPropertyBag> persist;
        control.As(&persist);
        EXPECT_EQ(persist->Load(bag.Get(), nullptr), kInvalidValue) << key;
        IDispatch* notifier = static_cast<_VelNotifier*>(control.Get());
        EXPECT_EQ(AsText(Get(notifier, L"ToolTipText")), L"") << key << ": nothing applied";
        EXPECT_EQ(AsLong(Get(AsObject(Get(notifier, L"Icons")).Get(), L"Count")), 0) << key;
        ComPtr<IOleObject> object;
        control.As(&object);
        object->Close(OLECLOSE_NOSAVE);
    }
}

TEST_F(NotifierTest, NotifiersOfOneThreadShareTheTray) {
    NotifierHost first;
    NotifierHost second;
    ASSERT_TRUE(Put(first.Disp(), L"Interval", Num(250)).Ok());
    ASSERT_TRUE(Put(second.Disp(), L"ToolTipText", Str(L"shared")).Ok());
    EXPECT_EQ(AsLong(Get(second.Disp(), L"Interval")), 250);
    EXPECT_EQ(AsText(Get(first.Disp(), L"ToolTipText")), L"shared");
    EXPECT_EQ(TrayState::ForThread().icons.Get(), &second.control->Icons()) << "the newest collection is shown";
    second.AddIcons(2);
    ASSERT_TRUE(Put(first.Disp(), L"Animate", Variant::FromBool(true)).Ok());
    EXPECT_TRUE(TrayState::ForThread().iconShown);
    EXPECT_EQ(ShellRecorder::Requests().back().data.hIcon, second.IconAt(1));
    EXPECT_EQ(ShellRecorder::Requests().back().data.hWnd, first.Window());
    first.Close();
    EXPECT_FALSE(TrayState::ForThread().iconShown) << "terminating either removes the icon";
    EXPECT_EQ(AsLong(Get(second.Icons().Get(), L"Count")), 0) << "and clears the shown collection";
    ASSERT_TRUE(Put(second.Disp(), L"Animate", Variant::FromBool(true)).Ok()) << "safe with no collection shown";
    EXPECT_FALSE(TrayState::ForThread().iconShown);
}

// The box on the form is for the designer: at run time the window stays hidden (it
// still owns the icon and hears the shell), and the container is told so.
TEST_F(NotifierTest, TheControlKeepsItsSizeAndIsInvisibleAtRunTime) {
    NotifierHost host;
    RECT rect{};
    GetClientRect(host.Window(), &rect);
    EXPECT_EQ(rect.right, VelNotifier::kWidthPixels);
    EXPECT_EQ(rect.bottom, VelNotifier::kHeightPixels);
    DWORD misc = 0;
    ASSERT_EQ(host.object->GetMiscStatus(DVASPECT_CONTENT, &misc), S_OK);
    EXPECT_TRUE(misc & OLEMISC_INVISIBLEATRUNTIME);
    EXPECT_FALSE(IsWindowVisible(host.Window()));
    EXPECT_EQ(GetParent(host.Window()), host.site->Window()) << "in place, only hidden";

    host.site->ambients[DISPID_AMBIENT_USERMODE] = Variant::FromBool(false);
    ComPtr<IOleControl> control;
    host.control.As(&control);
    control->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
    EXPECT_TRUE(IsWindowVisible(host.Window())) << "the design-time box";
    NotifierHost designed(false);
    EXPECT_TRUE(IsWindowVisible(designed.Window()));
}

}  // namespace
}  // namespace vel::test
