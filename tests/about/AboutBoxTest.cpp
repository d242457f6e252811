// The About box shown for real, on the test thread, and closed by a timer-driven
// driver the way a user would close it.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "AboutBox.h"
#include "BoxDriver.h"
#include "GdiCensus.h"
#include "TestWindow.h"

using vel::about::AboutBox;

namespace {

constexpr RECT kFormBounds{200, 150, 800, 550};
constexpr RECT kControlBounds{20, 20, 220, 120};

AboutBox ListboxAbout() {
    return AboutBox(GetModuleHandleW(nullptr), L"Corvane Listbox Control", L"Version 1.0");
}

POINT CentreOf(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

BOOL CALLBACK DescribeWindow(HWND window, LPARAM descriptions) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    reinterpret_cast<std::vector<std::wstring>*>(descriptions)
        ->push_back(std::wstring(className) + L" '" + caption + L"'" + (IsWindowVisible(window) ? L" visible" : L""));
    return TRUE;
}

// The top-level windows of the test thread, by class and caption.
std::vector<std::wstring> ThreadWindows() {
    std::vector<std::wstring> descriptions;
    EnumThreadWindows(GetCurrentThreadId(), DescribeWindow, reinterpret_cast<LPARAM>(&descriptions));
    return descriptions;
}

// Shows `about` over `owner`, closes it with `closeBy`, and reports what was seen.
BoxSighting ShowAndClose(const AboutBox& about, HWND owner, CloseBy closeBy, HWND watched, bool* shown = nullptr) {
    BoxDriver driver(watched, closeBy);
    const bool result = about.Show(owner);
    if (shown) *shown = result;
    return driver.Sighting();
}

// One form for the whole suite: under Wine without a window manager, hiding a
// captioned window waits for the manager's answer for a while.
class AboutBoxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { form_.emplace(TestWindow::TopLevel(kFormBounds)); }
    static void TearDownTestSuite() { form_.reset(); }

    HWND Form() const { return form_->Get(); }

private:
    static std::optional<TestWindow> form_;
};

std::optional<TestWindow> AboutBoxTest::form_;

TEST_F(AboutBoxTest, ShowsCaptionTitleAndVersionWithTheFocusOnOk) {
    const BoxSighting seen = ShowAndClose(ListboxAbout(), Form(), CloseBy::EscapeKey, Form());
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.caption, L"About Corvane Listbox Control");
    EXPECT_EQ(seen.title, L"Corvane Listbox Control");
    EXPECT_EQ(seen.version, L"Version 1.0");
    EXPECT_TRUE(seen.focusOnOk);
}

TEST_F(AboutBoxTest, OkEnterEscapeAndTheCloseBoxEachCloseIt) {
    for (CloseBy closeBy : {CloseBy::OkButton, CloseBy::EnterKey, CloseBy::EscapeKey, CloseBy::CloseBox}) {
        SCOPED_TRACE(static_cast<int>(closeBy));
        bool shown = false;
        const BoxSighting seen = ShowAndClose(ListboxAbout(), Form(), closeBy, Form(), &shown);
        ASSERT_TRUE(seen.seen);
        EXPECT_FALSE(seen.forcedClosed);
        EXPECT_TRUE(shown);
        EXPECT_FALSE(IsWindow(seen.box));
    }
}

TEST_F(AboutBoxTest, DisablesItsOwnerWhileShownAndEnablesItAfterwards) {
    const BoxSighting seen = ShowAndClose(ListboxAbout(), Form(), CloseBy::OkButton, Form());
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.owner, Form());
    EXPECT_FALSE(seen.watchedWindowEnabled);
    EXPECT_TRUE(IsWindowEnabled(Form()));
}

TEST_F(AboutBoxTest, OverAControlWindowTheFormIsOwnerAndIsDisabled) {
    TestWindow control = TestWindow::ChildOf(Form(), kControlBounds);
    const BoxSighting seen = ShowAndClose(ListboxAbout(), control.Get(), CloseBy::EscapeKey, Form());
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.owner, Form());
    EXPECT_FALSE(seen.watchedWindowEnabled);
    EXPECT_TRUE(IsWindowEnabled(Form()));
    EXPECT_TRUE(IsWindowEnabled(control.Get()));
}

TEST_F(AboutBoxTest, AnOwnerDisabledBeforeStaysDisabled) {
    // Shown from within another modal state, the box must not enable the form early.
    EnableWindow(Form(), FALSE);
    for (CloseBy closeBy : {CloseBy::OkButton, CloseBy::EscapeKey}) {
        const BoxSighting seen = ShowAndClose(ListboxAbout(), Form(), closeBy, Form());
        ASSERT_TRUE(seen.seen);
        EXPECT_FALSE(seen.forcedClosed);
        EXPECT_FALSE(IsWindowEnabled(Form()));
    }
    EnableWindow(Form(), TRUE);
}

TEST_F(AboutBoxTest, IsCentredOnItsOwnerOrOnTheScreenWithoutOne) {
    TestWindow control = TestWindow::ChildOf(Form(), kControlBounds);
    const BoxSighting overControl = ShowAndClose(ListboxAbout(), control.Get(), CloseBy::EscapeKey, nullptr);
    ASSERT_TRUE(overControl.seen);
    const POINT formCentre = CentreOf(kFormBounds);
    const POINT boxCentre = CentreOf(overControl.bounds);
    EXPECT_NEAR(boxCentre.x, formCentre.x, 1);
    EXPECT_NEAR(boxCentre.y, formCentre.y, 1);

    bool shown = false;
    const BoxSighting unowned = ShowAndClose(ListboxAbout(), nullptr, CloseBy::EscapeKey, nullptr, &shown);
    ASSERT_TRUE(unowned.seen);
    EXPECT_TRUE(shown);
    EXPECT_EQ(unowned.owner, nullptr);
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_NEAR(CentreOf(unowned.bounds).x, CentreOf(workArea).x, 1);
    EXPECT_NEAR(CentreOf(unowned.bounds).y, CentreOf(workArea).y, 1);
}

TEST_F(AboutBoxTest, StaysOnScreenOverAnOwnerHalfOffIt) {
    TestWindow edgeForm = TestWindow::TopLevel({-500, -400, 100, 100});
    const BoxSighting seen = ShowAndClose(ListboxAbout(), edgeForm.Get(), CloseBy::EscapeKey, nullptr);
    ASSERT_TRUE(seen.seen);
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_GE(seen.bounds.left, workArea.left);
    EXPECT_GE(seen.bounds.top, workArea.top);
}

TEST_F(AboutBoxTest, TakesItsVersionFromTheModuleVersionResource) {
    const AboutBox about = AboutBox::WithModuleVersion(GetModuleHandleW(nullptr), L"Corvane Listbox Control");
    const BoxSighting seen = ShowAndClose(about, Form(), CloseBy::EscapeKey, nullptr);
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.version, L"Version 2.5");
}

TEST_F(AboutBoxTest, RepeatedShowsLeaveNoWindowsOrGdiObjectsBehind) {
    // One show first, so that whatever the system creates once per process is there.
    ShowAndClose(ListboxAbout(), Form(), CloseBy::EscapeKey, nullptr);
    const std::vector<std::wstring> windowsBefore = ThreadWindows();
    const long gdiBefore = GdiCensus::LiveObjects();

    for (int round = 0; round < 3; ++round) {
        for (CloseBy closeBy : {CloseBy::OkButton, CloseBy::EnterKey, CloseBy::EscapeKey, CloseBy::CloseBox}) {
            const BoxSighting seen = ShowAndClose(ListboxAbout(), Form(), closeBy, nullptr);
            ASSERT_TRUE(seen.seen);
        }
    }

    EXPECT_EQ(ThreadWindows(), windowsBefore);
    EXPECT_EQ(GdiCensus::LiveObjects(), gdiBefore);
    EXPECT_EQ(BoxDriver::FindShownBox(), nullptr);
}

}  // namespace
