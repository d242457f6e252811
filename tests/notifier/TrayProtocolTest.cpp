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
    EXPECT_EQ(add.data.cbSize, 88u);
    EXPECT_EQ(add.data.hWnd, host.Window());
    EXPECT_EQ(add.data.uID, 100u);
    EXPECT_EQ(add.data.uFlags, 7u);
    EXPECT_EQ(add.data.uCallbackMessage, 1525u);
    EXPECT_EQ(add.data.hIcon, host.IconAt(1));
    EXPECT_EQ(add.Tip(), "Tray tip");
    EXPECT_EQ(std::string(add.data.szTip + 9, 54), std::string(54, ' ')) << "padded with blanks after the NUL";
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
    EXPECT_EQ(add.Tip(), std::string(63, 'x'));
    EXPECT_EQ(add.data.szTip[63], '\0');

    std::wstring huge(1 << 20, L'y');
    ASSERT_TRUE(Put(host.Disp(), L"ToolTipText", Str(huge.c_str())).Ok());
    EXPECT_EQ(ShellRecorder::Requests().back().Tip(), std::string(63, 'y'));
    EXPECT_EQ(AsText(Get(host.Disp(), L"ToolTipText")).size(), huge.size());
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

TEST_F(NotifierTest, TheControlKeepsItsSize) {
    NotifierHost host;
    RECT rect{};
    GetClientRect(host.Window(), &rect);
    EXPECT_EQ(rect.right, VelNotifier::kWidthPixels);
    EXPECT_EQ(rect.bottom, VelNotifier::kHeightPixels);
}

}  // namespace
}  // namespace vel::test
