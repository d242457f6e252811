// The General page driven through IPropertyPage, as a property frame drives it.
#include "CheckFrameHost.h"
#include "GeneralPage.h"

namespace vel::test {
namespace {

class CheckFrameGeneralPage : public CheckFrameTest {};

// Child control identifiers of the page.
constexpr int kUseMaskColor = 101, kEnabled = 102, kCaption = 103, kAlignment = 110, kValue = 111,
              kAppearance = 112, kBorderStyle = 113, kMousePointer = 114, kDropMode = 115;

class OpenPage {
public:
    OpenPage(HWND parent, std::vector<IUnknown*> selection) {
        // Through ComPtr::As: MinGW's ComPtr::Attach adds a reference of its own.
        ComPtr<IUnknown> created;
        EXPECT_HRESULT_SUCCEEDED(hosting::CreatePage<checkframe::GeneralPage>(created.GetAddressOf()));
        EXPECT_HRESULT_SUCCEEDED(created.As(&page));
        EXPECT_HRESULT_SUCCEEDED(page->SetObjects(static_cast<ULONG>(selection.size()), selection.data()));
        RECT place{0, 0, 380, 210};
        EXPECT_HRESULT_SUCCEEDED(page->Activate(parent, &place, TRUE));
        window = GetParent(GetDlgItem(FindChild(parent), kCaption));
    }
    OpenPage(const OpenPage&) = delete;
    OpenPage& operator=(const OpenPage&) = delete;
    ~OpenPage() {
        page->Deactivate();
        page->SetObjects(0, nullptr);
    }

    HWND Item(int id) const { return GetDlgItem(window, id); }
    std::wstring ListText(int id) const {
        auto index = SendMessageW(Item(id), CB_GETCURSEL, 0, 0);
        wchar_t text[64] = L"";
        SendMessageW(Item(id), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        return text;
    }
    // Picks a list entry as the user does, with its notification to the page.
    void Pick(int id, int index) const {
        SendMessageW(Item(id), CB_SETCURSEL, index, 0);
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(id)));
    }
    bool Dirty() const { return page->IsPageDirty() == S_OK; }

    ComPtr<IPropertyPage2> page;
    HWND window = nullptr;

private:
    // The page's window: the child of `parent` that holds the caption box.
    static HWND FindChild(HWND parent) {
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (GetDlgItem(child, kCaption)) return child;
        return nullptr;
    }
};

TEST_F(CheckFrameGeneralPage, TheListsHoldTheirEntriesAndShowTheFramesValues) {
    CheckFrameHost host(false);
    Put(host.Disp(), L"MousePointer", Num(99));
    Put(host.Disp(), L"Value", Num(2));
    Put(host.Disp(), L"Alignment", Num(1));
    OpenPage page(host.site->Window(), {host.Disp()});
    ASSERT_TRUE(page.window);
    EXPECT_EQ(page.ListText(kMousePointer), L"99 - vbCustom");
    EXPECT_EQ(SendMessageW(page.Item(kMousePointer), CB_GETCOUNT, 0, 0), 17);
    EXPECT_EQ(page.ListText(kValue), L"2 - velGreyed");
    EXPECT_EQ(page.ListText(kAlignment), L"1 - velRightJustify");
    EXPECT_EQ(page.ListText(kAppearance), L"1- vel3D");
    EXPECT_EQ(page.ListText(kBorderStyle), L"1 - velFixed Single");
    EXPECT_EQ(page.ListText(kDropMode), L"0 - velNone");
    EXPECT_EQ(SendMessageW(page.Item(kEnabled), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(page.Item(kUseMaskColor), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    wchar_t caption[64] = L"";
    GetWindowTextW(page.Item(kCaption), caption, 64);
    EXPECT_STREQ(caption, L"CheckFrame1");
    EXPECT_FALSE(page.Dirty()) << "reading the frame is no edit";
}

TEST_F(CheckFrameGeneralPage, ApplyingWithoutEditsWritesTheSameValuesBack) {
    CheckFrameHost host(false);
    Put(host.Disp(), L"MousePointer", Num(99));
    Put(host.Disp(), L"BackColor", Num(0x00C0FFEE));
    OpenPage page(host.site->Window(), {host.Disp()});
    EXPECT_HRESULT_SUCCEEDED(page.page->Apply());
    EXPECT_EQ(ColourOf(Get(host.Disp(), L"BackColor")), 0x00C0FFEEu) << "an unchanged appearance keeps the colour";
    EXPECT_EQ(AsLong(Get(host.Disp(), L"MousePointer")), 99) << "the last entry writes 99, not 16";
    EXPECT_EQ(AsText(Get(host.Disp(), L"Caption")), L"CheckFrame1");
    EXPECT_FALSE(page.Dirty());
}

TEST_F(CheckFrameGeneralPage, EditsMarkThePageChangedAndApplyWritesOnlyTheFirstFrame) {
    CheckFrameHost first(false), second(false, nullptr, 200, 100, L"Second");
    OpenPage page(first.site->Window(), {first.Disp(), second.Disp()});
    page.Pick(kAppearance, 0);
    EXPECT_TRUE(page.Dirty());
    page.Pick(kValue, 1);
    page.Pick(kAlignment, 2);
    SetWindowTextW(page.Item(kCaption), L"Edited");
    SendMessageW(page.Item(kUseMaskColor), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_HRESULT_SUCCEEDED(page.page->Apply());
    EXPECT_FALSE(page.Dirty());
    EXPECT_EQ(AsLong(Get(first.Disp(), L"Appearance")), 0);
    EXPECT_EQ(ColourOf(Get(first.Disp(), L"BackColor")), 0x80000005u)
        << "a flat appearance brings the window colour";
    EXPECT_EQ(AsLong(Get(first.Disp(), L"Value")), 1);
    EXPECT_EQ(AsLong(Get(first.Disp(), L"Alignment")), 2);
    EXPECT_EQ(AsText(Get(first.Disp(), L"Caption")), L"Edited");
    EXPECT_EQ(AsLong(Get(first.Disp(), L"UseMaskColor")), -1);
    EXPECT_EQ(AsLong(Get(second.Disp(), L"Appearance")), 1);
    EXPECT_EQ(AsText(Get(second.Disp(), L"Caption")), L"Second");
}

TEST_F(CheckFrameGeneralPage, TabbingIntoTheCaptionSelectsItsText) {
    CheckFrameHost host(false);
    OpenPage page(host.site->Window(), {host.Disp()});
    SetFocus(page.Item(kUseMaskColor));
    SetFocus(page.Item(kCaption));
    DWORD start = 0, end = 0;
    SendMessageW(page.Item(kCaption), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 11u);
}

}  // namespace
}  // namespace vel::test
