// CHighlightText wired to a real EDIT window the way a property page wires it:
// the page's focus notification calls GotFocus, a mouse press sets MouseDown first.
#include <gtest/gtest.h>

#include "CHighlightText.h"

using vel::drawing::CHighlightText;

namespace {

constexpr wchar_t kPageClass[] = L"VelDrawingTestPage";
constexpr int kEditId = 100;

CHighlightText* HelperOf(HWND page) {
    return reinterpret_cast<CHighlightText*>(GetWindowLongPtrW(page, GWLP_USERDATA));
}

LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    CHighlightText* helper = HelperOf(page);
    if (helper && message == WM_COMMAND && LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_SETFOCUS)
        helper->GotFocus(reinterpret_cast<HWND>(lParam));
    return DefWindowProcW(page, message, wParam, lParam);
}

// The page learns of a mouse press in the text box before the box takes the focus.
LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    CHighlightText* helper = HelperOf(GetParent(edit));
    if (helper && message == WM_LBUTTONDOWN) helper->SetMouseDown(true);
    auto original = reinterpret_cast<WNDPROC>(GetPropW(edit, L"VelOriginalProc"));
    return CallWindowProcW(original, edit, message, wParam, lParam);
}

// One shown page for the whole suite: Wine's X11 driver takes seconds to destroy a
// shown window when no window manager runs.
class HighlightTextPage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = PageProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kPageClass;
        RegisterClassW(&windowClass);
        page_ = CreateWindowExW(0, kPageClass, L"Page", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
        edit_ = CreateEdit(10, kEditId);
        other_ = CreateEdit(40, kEditId + 1);
        auto original = SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc));
        SetPropW(edit_, L"VelOriginalProc", reinterpret_cast<HANDLE>(original));
    }

    static void TearDownTestSuite() {
        RemovePropW(edit_, L"VelOriginalProc");
        DestroyWindow(page_);
        UnregisterClassW(kPageClass, GetModuleHandleW(nullptr));
    }

    static HWND CreateEdit(int top, int id) {
        return CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, top, 200, 24,
                               page_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                               nullptr);
    }

    void SetUp() override {
        ASSERT_NE(page_, nullptr);
        SetWindowLongPtrW(page_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&helper_));
        SetFocus(other_);
        SetWindowTextW(edit_, L"Column caption");
        SendMessageW(edit_, EM_SETSEL, 3, 3);
    }

    void TearDown() override {
        SetFocus(other_);
        SetWindowLongPtrW(page_, GWLP_USERDATA, 0);
    }

    std::pair<DWORD, DWORD> Selection() const {
        DWORD start = 0, end = 0;
        SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    CHighlightText helper_;
    static inline HWND page_ = nullptr;
    static inline HWND edit_ = nullptr;
    static inline HWND other_ = nullptr;
};

}  // namespace

TEST_F(HighlightTextPage, KeyboardFocusSelectsTheWholeText) {
    ASSERT_EQ(Selection(), std::make_pair(DWORD{3}, DWORD{3}));
    SetFocus(edit_);
    ASSERT_EQ(GetFocus(), edit_);
    EXPECT_EQ(Selection(), std::make_pair(DWORD{0}, DWORD{14}));
}

TEST_F(HighlightTextPage, MouseClickKeepsTheCaretWhereTheClickPutIt) {
    SendMessageW(edit_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 5));
    SendMessageW(edit_, WM_LBUTTONUP, 0, MAKELPARAM(2, 5));
    ASSERT_EQ(GetFocus(), edit_);
    auto [start, end] = Selection();
    EXPECT_EQ(start, end) << "the click must not select all";
    EXPECT_FALSE(helper_.MouseDown()) << "the focus consumes the mouse press";

    SetFocus(other_);
    SetFocus(edit_);
    EXPECT_EQ(Selection(), std::make_pair(DWORD{0}, DWORD{14})) << "the next keyboard focus selects all again";
}

TEST_F(HighlightTextPage, EmptyTextAndMissingWindowAreHarmless) {
    SetWindowTextW(edit_, L"");
    SetFocus(edit_);
    EXPECT_EQ(Selection(), std::make_pair(DWORD{0}, DWORD{0}));
    helper_.GotFocus(nullptr);
}
