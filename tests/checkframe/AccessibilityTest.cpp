// The check frame as an accessibility client sees it: a check button named by its caption,
// its access key as shortcut, its value as state, and a default action that clicks it.
#include "AccessibleClient.h"
#include "CheckFrameHost.h"
#include "CheckFrameInput.h"
#include "EventRecorder.h"

namespace {

using namespace vel;
using namespace vel::test;
namespace acc = vel::test::accessible;

class CheckFrameAccessibility : public CheckFrameTest {};

std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), IAccessible* object) {
    BSTR text = nullptr;
    (object->*get)(acc::Child(CHILDID_SELF), &text);
    std::wstring taken = text ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    return taken;
}

TEST_F(CheckFrameAccessibility, TheFrameIsACheckButtonThatItsDefaultActionClicks) {
    ComPtr<IAccessible> frame;
    {
        CheckFrameHost host;
        Put(host.Disp(), L"Caption", Str(L"Ship to the &staff && more"));
        auto recorder = com::Make<EventRecorder>();
        recorder->Connect(host.control->Unknown(), DIID___VelCheckFrame);
        frame = acc::FromWindow(host.control->WindowHandle());
        ASSERT_TRUE(frame);
        WinEventLog events(host.control->WindowHandle());
        EXPECT_EQ(acc::Role(frame.Get()), ROLE_SYSTEM_CHECKBUTTON);
        EXPECT_EQ(acc::Name(frame.Get()), L"Ship to the staff & more");
        EXPECT_EQ(Text(&IAccessible::get_accKeyboardShortcut, frame.Get()), L"Alt+S");
        EXPECT_FALSE(acc::State(frame.Get()) & (STATE_SYSTEM_CHECKED | STATE_SYSTEM_MIXED));
        EXPECT_EQ(Text(&IAccessible::get_accDefaultAction, frame.Get()), L"Check");

        ASSERT_EQ(frame->accDoDefaultAction(acc::Child(CHILDID_SELF)), S_OK);
        EXPECT_EQ(AsLong(Get(host.Disp(), L"Value")), 1);
        EXPECT_EQ(recorder->Ids(), std::vector<DISPID>{checkframe::kCheckboxClick}) << "as a click on the box";
        EXPECT_TRUE(acc::State(frame.Get()) & STATE_SYSTEM_CHECKED);
        EXPECT_EQ(Text(&IAccessible::get_accDefaultAction, frame.Get()), L"Uncheck");
        Put(host.Disp(), L"Value", Num(2));
        EXPECT_TRUE(acc::State(frame.Get()) & STATE_SYSTEM_MIXED);
        EXPECT_EQ(events.CountOf(L"STATECHANGE CLIENT 0"), 2u);
        Put(host.Disp(), L"Caption", Str(L"&Express"));
        EXPECT_EQ(events.CountOf(L"NAMECHANGE CLIENT 0"), 1u);
        EXPECT_EQ(acc::Name(frame.Get()), L"Express");

        Put(host.Disp(), L"Enabled", Variant::FromBool(false));
        EXPECT_TRUE(acc::State(frame.Get()) & STATE_SYSTEM_UNAVAILABLE);
        EXPECT_EQ(frame->accDoDefaultAction(acc::Child(CHILDID_SELF)), DISP_E_MEMBERNOTFOUND);
        EXPECT_EQ(AsLong(Get(host.Disp(), L"Value")), 2) << "a disabled frame changes nothing";
        recorder->Disconnect();
    }
    LONG count = 0;
    EXPECT_EQ(frame->get_accChildCount(&count), RPC_E_DISCONNECTED);
    EXPECT_EQ(frame->accDoDefaultAction(acc::Child(CHILDID_SELF)), RPC_E_DISCONNECTED);
    frame.Reset();
    EXPECT_EQ(com::Module::ObjectCount(), 0);
}

}  // namespace
