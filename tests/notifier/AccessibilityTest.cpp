// The notifier's window as an accessibility client sees it: named by the tool tip text.
#include "AccessibleClient.h"
#include "NotifierHost.h"

namespace {

using namespace vel;
using namespace vel::test;
namespace acc = vel::test::accessible;

TEST_F(NotifierTest, TheWindowIsNamedByTheToolTipUntilTheNotifierGoes) {
    ComPtr<IAccessible> window;
    {
        NotifierHost host;
        Put(host.Disp(), L"ToolTipText", Str(L"Vel controls demo"));
        window = acc::FromWindow(host.Window());
        ASSERT_TRUE(window);
        EXPECT_EQ(acc::Name(window.Get()), L"Vel controls demo");
        WinEventLog events(host.Window());
        Put(host.Disp(), L"ToolTipText", Str(L"Clicked"));
        EXPECT_EQ(events.CountOf(L"NAMECHANGE CLIENT 0"), 1u);
        EXPECT_EQ(acc::Name(window.Get()), L"Clicked");
    }
    BSTR name = nullptr;
    EXPECT_EQ(window->get_accName(acc::Child(CHILDID_SELF), &name), RPC_E_DISCONNECTED);
    window.Reset();
    EXPECT_EQ(com::Module::ObjectCount(), 0);
}

}  // namespace
