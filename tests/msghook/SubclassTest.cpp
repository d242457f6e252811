// Hooks subclassing real windows of this thread, as the owning controls use them.
#include <optional>
#include <thread>

#include "HookFixture.h"
#include "MCallBack.h"

namespace vel::test {
namespace {

using msghook::MCallBack;

const wchar_t* kPrevious = L"PREV_WNDPROC";
const wchar_t* kCount = L"NUM_ADDEDPROPS";

template <class Body>
std::optional<com::AutomationError> ErrorOf(Body body) {
    try {
        body();
    } catch (const com::AutomationError& error) {
        return error;
    }
    return std::nullopt;
}

class Subclassing : public HookFixture {
protected:
    bool IsHooked(const TestWindow& w) { return w.CurrentProcedure() == &MCallBack::WindowProc; }
    bool IsRestored(const TestWindow& w) {
        return w.CurrentProcedure() == w.OwnProcedure() && !HasProperty(w.Handle(), kPrevious) &&
               !HasProperty(w.Handle(), kCount);
    }
    long CountOn(const TestWindow& w) { return static_cast<long>(PropertyOf(w.Handle(), kCount)); }

    Journal Take() { return std::exchange(journal, {}); }
};

TEST_F(Subclassing, TwoHooksShareOneSubclassAndTheLastToLeaveRestoresTheWindow) {
    TestWindow window(journal);
    TestOwner ownerA(journal), ownerB(journal);
    auto hookA = NewHook(ownerA);
    auto hookB = NewHook(ownerB);
    Listen(*Watch(*hookA, window).Get(), kFirst);
    Listen(*Watch(*hookB, window).Get(), kFirst);

    hookA->SetSubclass(true);
    EXPECT_TRUE(IsHooked(window));
    EXPECT_EQ(PropertyOf(window.Handle(), kPrevious), reinterpret_cast<LONG_PTR>(window.OwnProcedure()));
    EXPECT_EQ(CountOn(window), 1);
    hookB->SetSubclass(true);
    EXPECT_EQ(CountOn(window), 2);
    EXPECT_EQ(PropertyOf(window.Handle(), kPrevious), reinterpret_cast<LONG_PTR>(window.OwnProcedure()));

    EXPECT_EQ(Send(window, kFirst, 7, 8), 1001);
    EXPECT_EQ(Take(), (Journal{L"event 32769", L"proc 32769", L"event 32769"}))
        << "both hooks hear it, the window's own procedure runs once";
    ASSERT_EQ(ownerB.heard.size(), 1u);
    EXPECT_EQ(ownerB.heard[0].hwnd, window.Handle());
    EXPECT_EQ(ownerB.heard[0].wParam, 7u);
    EXPECT_EQ(ownerB.heard[0].lParam, 8);

    hookA->SetSubclass(false);
    EXPECT_EQ(CountOn(window), 1);
    EXPECT_TRUE(IsHooked(window));
    EXPECT_EQ(Send(window, kFirst), 1001);
    EXPECT_EQ(Take(), (Journal{L"event 32769", L"proc 32769"}));

    hookB.reset();
    EXPECT_TRUE(IsRestored(window));
    EXPECT_EQ(Send(window, kFirst), 1001);
    EXPECT_EQ(Take(), Journal{L"proc 32769"});
}

TEST_F(Subclassing, TheOwnerHearsBeforeOrAfterTheWindowsProcedureOrInsteadOfIt) {
    TestWindow window(journal);
    TestOwner owner(journal);
    auto hook = NewHook(owner);
    auto watched = Watch(*hook, window);
    Listen(*watched.Get(), kFirst, true, velBeforeDefaultProc);
    Listen(*watched.Get(), kSecond, true, velAfterDefaultProc);
    Listen(*watched.Get(), kThird, false, velBeforeDefaultProc);
    hook->SetSubclass(true);

    EXPECT_EQ(Send(window, kFirst), 1001);
    EXPECT_EQ(Take(), (Journal{L"event 32769", L"proc 32769"}));
    EXPECT_EQ(Send(window, kSecond), 1002);
    EXPECT_EQ(Take(), (Journal{L"proc 32770", L"event 32770"}));
    EXPECT_EQ(Send(window, kThird), 0) << "ProcessDefaultProc false answers 0";
    EXPECT_EQ(Take(), Journal{L"event 32771"});
    EXPECT_EQ(Send(window, WM_APP + 4), 1004) << "an unlisted message passes unchanged";
    EXPECT_EQ(Take(), Journal{L"proc 32772"});
    EXPECT_EQ(owner.heard.size(), 3u);
}

TEST_F(Subclassing, AHandlerMaySendFurtherMessagesToTheSameWindow) {
    TestWindow window(journal);
    TestOwner owner(journal);
    auto hook = NewHook(owner);
    auto watched = Watch(*hook, window);
    Listen(*watched.Get(), kFirst);
    Listen(*watched.Get(), kSecond, true, velAfterDefaultProc);
    hook->SetSubclass(true);
    LRESULT inner = 0;
    owner.onMessage = [&](HWND hwnd, UINT message, WPARAM, LPARAM) {
        if (message == kFirst) inner = SendMessageW(hwnd, kSecond, 0, 0);
    };

    EXPECT_EQ(Send(window, kFirst), 1001);
    EXPECT_EQ(inner, 1002);
    EXPECT_EQ(Take(), (Journal{L"event 32769", L"proc 32770", L"event 32770", L"proc 32769"}));
}

TEST_F(Subclassing, SwitchingOffRestoresTheProcedureAndRemovesBothProperties) {
    TestWindow window(journal);
    TestOwner owner(journal);
    auto hook = NewHook(owner);
    Listen(*Watch(*hook, window).Get(), kFirst);
    hook->SetSubclass(true);
    hook->SetSubclass(false);
    EXPECT_TRUE(IsRestored(window));
    EXPECT_FALSE(hook->Subclass());
    Send(window, kFirst);
    EXPECT_TRUE(owner.heard.empty());
}

TEST_F(Subclassing, SwitchingOnAgainSubclassesOnlyWindowsNotYetSubclassed) {
    TestWindow first(journal), second(journal);
    TestOwner owner(journal);
    auto hook = NewHook(owner);
    Watch(*hook, first);
    hook->SetSubclass(true);
    Watch(*hook, second);
    EXPECT_FALSE(IsHooked(second)) << "adding a window does not subclass it";
    hook->SetSubclass(true);
    EXPECT_EQ(CountOn(first), 1);
    EXPECT_EQ(CountOn(second), 1);
    hook.reset();
    EXPECT_TRUE(IsRestored(first));
    EXPECT_TRUE(IsRestored(second));
}

TEST_F(Subclassing, OneWindowListedTwiceRunsItsProcedureOnce) {
    TestWindow window(journal);
    TestOwner owner(journal);
    auto hook = NewHook(owner);
    Listen(*Watch(*hook, window).Get(), kFirst, true, velAfterDefaultProc);
    Listen(*Watch(*hook, window).Get(), kFirst, true, velBeforeDefaultProc);
    hook->SetSubclass(true);
    EXPECT_EQ(CountOn(window), 2);
    EXPECT_EQ(Send(window, kFirst), 1001);
    EXPECT_EQ(Take(), (Journal{L"proc 32769", L"event 32769", L"event 32769"}));
    EXPECT_EQ(Send(window, kSecond), 1002);
    EXPECT_EQ(Take(), Journal{L"proc 32770"});
    hook->SetSubclass(false);
    EXPECT_TRUE(IsRestored(window));
}

TEST_F(Subclassing, AtRunTimeSomeWindowMustHaveAHandle) {
    TestOwner owner(journal);
    auto hook = NewHook(owner);
    for (bool value : {true, false}) {
        auto error = ErrorOf([&] { hook->SetSubclass(value); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->Result(), kAlreadyExists);
        EXPECT_EQ(error->Description(),
                  L"No windows have been subclassed. MsgHook needs the hWnd of at least one window to subclass.");
    }
    hook->Windows().AddWindow(Missing().Get(), Missing().Get(), Missing().Get(), Num(0).Get());
    EXPECT_TRUE(ErrorOf([&] { hook->SetSubclass(true); }));
    EXPECT_FALSE(hook->Subclass()) << "a refused setting changes nothing";
}

TEST_F(Subclassing, AtDesignTimeOnlyTheFlagIsKept) {
    TestWindow window(journal);
    TestOwner owner(journal);
    owner.userMode = false;
    auto hook = NewHook(owner);
    hook->SetSubclass(true);
    EXPECT_TRUE(hook->Subclass()) << "no handle is needed at design time";
    Watch(*hook, window);
    hook->SetSubclass(true);
    EXPECT_TRUE(IsRestored(window));
    hook.reset();
    EXPECT_TRUE(IsRestored(window));
}

TEST_F(Subclassing, AWindowLeavingTheCollectionGetsItsProcedureBack) {
    TestWindow first(journal), second(journal), third(journal);
    TestOwner owner(journal);
    auto hook = NewHook(owner);
    for (auto* w : {&first, &second, &third}) Listen(*Watch(*hook, *w).Get(), kFirst);
    hook->SetSubclass(true);

    hook->Windows().RemoveWindow(Num(1).Get());
    EXPECT_TRUE(IsRestored(first));
    EXPECT_EQ(Send(first, kFirst), 1001);
    EXPECT_EQ(Take(), Journal{L"proc 32769"});

    hook->Windows().ClearWindows();
    EXPECT_TRUE(IsRestored(second));
    EXPECT_TRUE(IsRestored(third));
    EXPECT_TRUE(owner.heard.empty());
}

TEST_F(Subclassing, ANewHandleDoesNotMoveAnExistingSubclass) {
    TestWindow first(journal), second(journal);
    TestOwner owner(journal);
    auto hook = NewHook(owner);
    auto watched = Watch(*hook, first);
    Listen(*watched.Get(), kFirst);
    hook->SetSubclass(true);
    watched->SetHandle(second.Number());

    EXPECT_EQ(Send(first, kFirst), 1001) << "no registration claims it, yet it is not lost";
    EXPECT_EQ(Take(), Journal{L"proc 32769"});
    EXPECT_FALSE(IsHooked(second));

    hook->SetSubclass(false);
    EXPECT_TRUE(IsRestored(first));
    EXPECT_TRUE(IsRestored(second));
}

TEST_F(Subclassing, AHandlerMayEndItsOwnHook) {
    TestWindow window(journal);
    TestOwner owner(journal);
    auto hook = NewHook(owner);
    Listen(*Watch(*hook, window).Get(), kFirst);
    hook->SetSubclass(true);
    owner.onMessage = [&](HWND, UINT, WPARAM, LPARAM) { hook.reset(); };

    EXPECT_EQ(Send(window, kFirst), 1001) << "the window's procedure still runs after the event";
    EXPECT_EQ(Take(), (Journal{L"event 32769", L"proc 32769"}));
    EXPECT_TRUE(IsRestored(window));
}

TEST_F(Subclassing, AnAnsiWindowKeepsReceivingAnsiText) {
    TestWindow window(journal, true);
    const LONG_PTR ansiProcedure = GetWindowLongPtrA(window.Handle(), GWLP_WNDPROC);
    TestOwner owner(journal);
    auto hook = NewHook(owner);
    Listen(*Watch(*hook, window).Get(), WM_SETTEXT);
    hook->SetSubclass(true);

    SetWindowTextW(window.Handle(), L"W\u00e9b");
    EXPECT_EQ(window.lastAnsiText, "W\xe9" "b");
    EXPECT_EQ(owner.heard.size(), 1u);

    hook->SetSubclass(false);
    EXPECT_EQ(GetWindowLongPtrA(window.Handle(), GWLP_WNDPROC), ansiProcedure);
    EXPECT_FALSE(IsWindowUnicode(window.Handle()));
}

TEST_F(Subclassing, ACollectionRaisesCallBackWithTheMessagesValues) {
    TestWindow window(journal);
    TestOwner owner(journal);
    auto hook = NewHook(owner);
    Listen(*Watch(*hook, window).Get(), kFirst);
    hook->SetSubclass(true);
    auto events = com::Make<EventRecorder>();
    events->Connect(hook->Windows().Unknown(), DIID___VelWindows);

    Send(window, kFirst, 5, -6);
    ASSERT_EQ(events->Ids(), std::vector<DISPID>{7});
    auto& arguments = events->Events()[0].arguments;
    ASSERT_EQ(arguments.size(), 4u);
    EXPECT_EQ(AsLong(arguments[0]), window.Number());
    EXPECT_EQ(AsLong(arguments[1]), static_cast<long>(kFirst));
    EXPECT_EQ(AsLong(arguments[2]), 5);
    EXPECT_EQ(AsLong(arguments[3]), -6);

    // The event's arguments are 32-bit longs, as the type library declares them. A window
    // handle fits them (handles carry 32 significant bits in 64-bit Windows too, and
    // sign-extend back); the message values of a 64-bit host may not, so the event carries
    // their low 32 bits, while the window's procedure, the owning control and the message's
    // result keep every bit.
    const auto wide = static_cast<WPARAM>(0x0000'7FF0'9234'5678ull);
    const auto wideL = static_cast<LPARAM>(-0x1'0000'0007ll);
    EXPECT_EQ(Send(window, kFirst, wide, wideL), 1001);
    EXPECT_EQ(window.lastWParam, wide);
    EXPECT_EQ(window.lastLParam, wideL);
    ASSERT_EQ(owner.heard.size(), 2u);
    EXPECT_EQ(owner.heard[1].wParam, wide);
    EXPECT_EQ(owner.heard[1].lParam, wideL);
    ASSERT_EQ(events->Events().size(), 2u);
    auto& wider = events->Events()[1].arguments;
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<LONG_PTR>(AsLong(wider[0]))), window.Handle());
    EXPECT_EQ(AsLong(wider[2]), static_cast<LONG>(static_cast<DWORD>(wide)));
    EXPECT_EQ(AsLong(wider[3]), static_cast<LONG>(static_cast<DWORD>(wideL)));
    events->Disconnect();
}

// A window of a thread that never had a hook, whose procedure is still the hook's.
TEST_F(Subclassing, AThreadWithoutHooksGivesTheWindowBackAndForwards) {
    LRESULT result = 0;
    bool restored = false;
    std::thread other([&] {
        Journal own;
        TestWindow window(own);
        auto windows = com::Make<VelWindows>();
        auto watched = windows->AddWindow(Missing().Get(), Missing().Get(), Missing().Get(), Num(window.Number()).Get());
        MCallBack::SubclassWindow(*watched.Get());
        result = SendMessageW(window.Handle(), kFirst, 0, 0);
        restored = window.CurrentProcedure() == window.OwnProcedure() && !HasProperty(window.Handle(), kPrevious) &&
                   !HasProperty(window.Handle(), kCount) && own == Journal{L"proc 32769"};
    });
    other.join();
    EXPECT_EQ(result, 1001);
    EXPECT_TRUE(restored);
}

TEST_F(Subclassing, HooksAreRegisteredInTheOrderTheyWereMade) {
    TestOwner owner(journal);
    auto first = NewHook(owner);
    auto second = NewHook(owner);
    EXPECT_EQ(MCallBack::FindHookPosition(first->Windows()), 1);
    EXPECT_EQ(MCallBack::FindHookPosition(second->Windows()), 2);
    com::ComPtr<VelWindows> kept(&first->Windows());
    first.reset();
    EXPECT_EQ(MCallBack::FindHookPosition(*kept.Get()), 0);
    EXPECT_EQ(MCallBack::FindHookPosition(second->Windows()), 1);
}

TEST(MsgHookArithmetic, BytesAndWordsOfA32BitValue) {
    EXPECT_EQ(VelMsgHook::LoWord(0x12345678), 0x5678);
    EXPECT_EQ(VelMsgHook::HiWord(0x12345678), 0x1234);
    EXPECT_EQ(VelMsgHook::LoByte(0x1234), 0x34);
    EXPECT_EQ(VelMsgHook::HiByte(0x1234), 0x12);
    EXPECT_EQ(VelMsgHook::HiWord(-1), 0) << "the quotient rounds toward zero";
    EXPECT_EQ(VelMsgHook::HiWord(-65536), 0xFFFF);
    EXPECT_EQ(VelMsgHook::HiByte(-256), 0xFF);
    EXPECT_EQ(VelMsgHook::LoWord(-1), 0xFFFF);
}

}  // namespace
}  // namespace vel::test
