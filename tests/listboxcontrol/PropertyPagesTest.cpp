// The list box's property pages driven as a property frame drives them: layout,
// reading and writing the first selected control, the column page's fields, long
// texts, and the Properties verb opening the system's frame.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "ColumnHeadersPP.h"
#include "General.h"
#include "ListboxHost.h"
#include "PageLayout.h"
#include "../../tools/velform/Screenshot.h"
#include "Sort.h"

namespace {

using namespace vel;
using namespace vel::test;

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return name;
}

// A page activated in a window of its own, as a frame shows it.
class PageInFrame {
public:
    PageInFrame(ComPtr<IPropertyPage> page, std::vector<IUnknown*> objects) : page_(std::move(page)) {
        PROPPAGEINFO info{sizeof(info)};
        EXPECT_HRESULT_SUCCEEDED(page_->GetPageInfo(&info));
        title = info.pszTitle ? info.pszTitle : L"";
        size = info.size;
        CoTaskMemFree(info.pszTitle);
        frame_ = CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"Frame", WS_POPUP | WS_VISIBLE, 0, 0, size.cx,
                                 size.cy, nullptr, nullptr, nullptr, nullptr);
        page_->SetObjects(static_cast<ULONG>(objects.size()), objects.data());
        RECT area{0, 0, size.cx, size.cy};
        EXPECT_HRESULT_SUCCEEDED(page_->Activate(frame_, &area, TRUE));
        page_->Show(SW_SHOWNORMAL);
        PumpMessages();
    }
    PageInFrame(const PageInFrame&) = delete;
    PageInFrame& operator=(const PageInFrame&) = delete;
    ~PageInFrame() {
        page_->Deactivate();
        page_->SetObjects(0, nullptr);
        DestroyWindow(frame_);
        PumpMessages();
    }

    IPropertyPage* Page() const { return page_.Get(); }
    HWND Window() const { return GetWindow(frame_, GW_CHILD); }
    std::vector<HWND> Fields() const {
        std::vector<HWND> fields;
        for (HWND child = GetWindow(Window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            fields.push_back(child);
        return fields;
    }
    // A window by its caption; a label gives the field it names (the next one).
    HWND Named(const wchar_t* caption) const {
        for (HWND field : Fields()) {
            if (TextOf(field) != caption) continue;
            return ClassOf(field) == L"Static" ? GetWindow(field, GW_HWNDNEXT) : field;
        }
        ADD_FAILURE() << "no field " << testing::PrintToString(std::wstring(caption));
        return nullptr;
    }
    // The user's edits, with the notifications the fields send.
    void Choose(const wchar_t* label, int item) const {
        HWND list = Named(label);
        SendMessageW(list, CB_SETCURSEL, item, 0);
        SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }
    void Click(const wchar_t* caption) const {
        SendMessageW(Named(caption), BM_CLICK, 0, 0);
        PumpMessages();
    }
    // Replaces a text box's text and types one more character, as a user pasting would.
    void Enter(const wchar_t* label, const std::wstring& text) const {
        HWND box = Named(label);
        SetWindowTextW(box, text.substr(0, text.size() - (text.empty() ? 0 : 1)).c_str());
        SendMessageW(box, EM_SETSEL, text.size(), text.size());
        if (!text.empty()) SendMessageW(box, WM_CHAR, text.back(), 1);
        else SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), EN_CHANGE), reinterpret_cast<LPARAM>(box));
    }
    // The background colour a field is painted with.
    COLORREF Background(const wchar_t* label) const {
        HWND field = Named(label);
        HDC dc = CreateCompatibleDC(nullptr);
        SetBkColor(dc, RGB(1, 2, 3));
        UINT message = IsWindowEnabled(field) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
        SendMessageW(Window(), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(field));
        COLORREF colour = GetBkColor(dc);
        DeleteDC(dc);
        return colour;
    }

    std::wstring title;
    SIZE size{};

private:
    ComPtr<IPropertyPage> page_;
    HWND frame_ = nullptr;
};

template <class Page>
ComPtr<IPropertyPage> MakePage() {
    auto made = com::Make<Page>();
    return ComPtr<IPropertyPage>(static_cast<IPropertyPage*>(made.Get()));
}

IUnknown* Unknown(ListboxHost& host) { return static_cast<IOleObject*>(host.control.Get()); }

ComPtr<IDispatch> Column(ListboxHost& host, long position) {
    return AsObject(Get(host.Columns().Get(), L"Item", {Num(position)}));
}

class PropertyPages : public ListboxTest {
public:
    static void SetUpTestSuite() {
        ListboxTest::SetUpTestSuite();
        // The system keeps objects it makes when the first lists and text boxes appear.
        ListboxHost host;
        host.AddColumns(2, 50);
        PageInFrame general(MakePage<roster::General>(), {Unknown(host)});
        PageInFrame columns(MakePage<roster::ColumnHeadersPP>(), {Unknown(host)});
        PageInFrame sort(MakePage<roster::Sort>(), {Unknown(host)});
    }
};

TEST_F(PropertyPages, EachPageFitsItsFieldsWithoutOverlapOrClipping) {
    ListboxHost host;
    host.AddColumns(2, 50);
    // The largest of the system's usual page sizes, 252 x 218 dialog units, in units of
    // the container's font, which the pages use.
    hosting::PageLayout units(host.Disp());
    for (auto page : {MakePage<roster::General>(), MakePage<roster::ColumnHeadersPP>(), MakePage<roster::Sort>()}) {
        PageInFrame shown(page, {Unknown(host)});
        SCOPED_TRACE(testing::PrintToString(shown.title));
        EXPECT_LE(shown.size.cx, units.X(252)) << "wider than a usual page";
        EXPECT_LE(shown.size.cy, units.Y(218)) << "taller than a usual page";
        std::vector<RECT> taken;
        for (HWND field : shown.Fields()) {
            RECT r{};
            GetWindowRect(field, &r);
            MapWindowPoints(nullptr, shown.Window(), reinterpret_cast<POINT*>(&r), 2);
            std::wstring text = TextOf(field);
            SCOPED_TRACE(testing::PrintToString(text));
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= shown.size.cx && r.bottom <= shown.size.cy);
            for (const RECT& other : taken) {
                RECT overlap;
                EXPECT_FALSE(IntersectRect(&overlap, &r, &other)) << "fields overlap";
            }
            taken.push_back(r);
            std::wstring kind = ClassOf(field);
            if (kind != L"Static" && kind != L"Button") continue;
            // The caption fits: a check box loses its box, a push button its edges.
            HDC dc = GetDC(field);
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0)));
            RECT need{0, 0, 0, 0};
            DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE);
            SelectObject(dc, old);
            ReleaseDC(field, dc);
            LONG room = r.right - r.left;
            LONG style = GetWindowLongW(field, GWL_STYLE) & BS_TYPEMASK;
            if (kind == L"Button") room -= style == BS_AUTOCHECKBOX ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 6;
            EXPECT_LE(need.right, room) << "caption clipped";
            EXPECT_LE(need.bottom, r.bottom - r.top) << "caption clipped";
        }
    }
}

TEST_F(PropertyPages, GeneralReadsAndWritesOnlyTheFirstSelectedControl) {
    ListboxHost first, second;
    ASSERT_TRUE(Put(first.Disp(), L"MousePointer", Num(99)).Ok());
    PageInFrame page(MakePage<roster::General>(), {Unknown(first), Unknown(second)});
    EXPECT_EQ(TextOf(page.Named(L"&MousePointer:")), L"99 - vbCustom");
    EXPECT_EQ(TextOf(page.Named(L"A&ppearance:")), L"1- vel3D");
    EXPECT_EQ(page.Page()->IsPageDirty(), S_FALSE);
    page.Choose(L"&MousePointer:", 15);
    page.Choose(L"&BorderStyle:", 0);
    page.Click(L"&Enabled");
    page.Click(L"Multi&Select");
    EXPECT_EQ(page.Page()->IsPageDirty(), S_OK);
    ASSERT_HRESULT_SUCCEEDED(page.Page()->Apply());
    EXPECT_EQ(page.Page()->IsPageDirty(), S_FALSE);
    EXPECT_EQ(AsLong(Get(first.Disp(), L"MousePointer")), 15);
    EXPECT_EQ(AsLong(Get(first.Disp(), L"BorderStyle")), 0);
    EXPECT_EQ(AsLong(Get(first.Disp(), L"Enabled")), 0);
    EXPECT_EQ(AsLong(Get(first.Disp(), L"MultiSelect")), -1);
    EXPECT_EQ(AsLong(Get(second.Disp(), L"MousePointer")), 0);
    EXPECT_EQ(AsLong(Get(second.Disp(), L"BorderStyle")), 1);
    EXPECT_EQ(AsLong(Get(second.Disp(), L"Enabled")), -1);
    EXPECT_EQ(AsLong(Get(second.Disp(), L"MultiSelect")), 0);
    // The custom pointer is the last item and writes 99. The control refuses values no
    // item stands for, so a page reopened on it finds a listed one and writes it back.
    page.Choose(L"&MousePointer:", 16);
    ASSERT_HRESULT_SUCCEEDED(page.Page()->Apply());
    EXPECT_EQ(AsLong(Get(first.Disp(), L"MousePointer")), 99);
    EXPECT_FALSE(Put(first.Disp(), L"MousePointer", Num(40)).Ok());
    ASSERT_TRUE(Put(first.Disp(), L"MousePointer", Num(15)).Ok());
    IUnknown* again[] = {Unknown(first)};
    page.Page()->SetObjects(1, again);
    page.Click(L"Multi&Select");
    ASSERT_HRESULT_SUCCEEDED(page.Page()->Apply());
    EXPECT_EQ(AsLong(Get(first.Disp(), L"MousePointer")), 15);
    EXPECT_EQ(AsLong(Get(first.Disp(), L"MultiSelect")), 0);
}

TEST_F(PropertyPages, ColumnFieldsAreDisabledOnButtonFaceWithoutColumnsAndComeAliveWithThem) {
    ListboxHost host;
    PageInFrame page(MakePage<roster::ColumnHeadersPP>(), {Unknown(host)});
    const COLORREF face = GetSysColor(COLOR_BTNFACE), window = GetSysColor(COLOR_WINDOW);
    const wchar_t* fields[] = {L"&Index:", L"Align&ment:", L"&Text:", L"&Key:", L"Ta&g:", L"&Width:"};
    for (const wchar_t* label : fields) {
        EXPECT_FALSE(IsWindowEnabled(page.Named(label))) << testing::PrintToString(std::wstring(label));
        EXPECT_EQ(page.Background(label), face);
    }
    EXPECT_FALSE(IsWindowEnabled(page.Named(L"&Remove Column")));
    EXPECT_FALSE(IsWindowEnabled(page.Named(L"&Visible")));
    EXPECT_EQ(TextOf(page.Named(L"&Text:")), L"");

    page.Click(L"&Insert Column");
    ASSERT_EQ(AsLong(Get(host.Columns().Get(), L"Count")), 1);
    EXPECT_EQ(AsText(Get(Column(host, 1).Get(), L"Text")), L"Column 1");
    EXPECT_EQ(TextOf(page.Named(L"&Text:")), L"Column 1");
    EXPECT_EQ(GetFocus(), page.Named(L"&Text:"));
    for (const wchar_t* label : fields) {
        EXPECT_TRUE(IsWindowEnabled(page.Named(label)));
        EXPECT_EQ(page.Background(label), window);
    }
    // Removing the last column empties and disables the fields again.
    page.Click(L"&Remove Column");
    EXPECT_EQ(AsLong(Get(host.Columns().Get(), L"Count")), 0);
    EXPECT_EQ(TextOf(page.Named(L"&Text:")), L"");
    EXPECT_EQ(page.Background(L"&Text:"), face);
    EXPECT_TRUE(IsWindowEnabled(page.Named(L"&Insert Column")));
}

TEST_F(PropertyPages, AnUnchangedAlignmentAndTagAreKeptWhenOtherFieldsApply) {
    ListboxHost host;
    host.AddColumns(1, 50);
    EXPECT_FALSE(Put(Column(host, 1).Get(), L"Alignment", Num(7)).Ok()) << "no list item stands for 7";
    ASSERT_TRUE(Put(Column(host, 1).Get(), L"Alignment", Num(2)).Ok());
    ASSERT_TRUE(Put(Column(host, 1).Get(), L"Tag", Num(42)).Ok());
    PageInFrame page(MakePage<roster::ColumnHeadersPP>(), {Unknown(host)});
    EXPECT_EQ(TextOf(page.Named(L"Ta&g:")), L"42");
    page.Enter(L"&Text:", L"Renamed");
    ASSERT_HRESULT_SUCCEEDED(page.Page()->Apply());
    EXPECT_EQ(AsText(Get(Column(host, 1).Get(), L"Text")), L"Renamed");
    EXPECT_EQ(AsLong(Get(Column(host, 1).Get(), L"Alignment")), 2);
    CallResult tag = Get(Column(host, 1).Get(), L"Tag");
    EXPECT_EQ(tag.value.Type(), VT_I4) << "an unchanged tag keeps its type";
}

// 64K characters: far beyond any caption, and as far as the system's edit fields go in
// reasonable time where Wine runs emulated (a megabyte takes it many minutes).
TEST_F(PropertyPages, TextBoxesCarryALongTextWholeAndRefuseItWhereItIsNoNumber) {
    ListboxHost host;
    host.AddColumns(2, 50);
    const std::wstring huge(1 << 16, L'x');
    const std::wstring digits(1 << 16, L'9');
    {
        // The system's edit fields keep GDI objects of their own for texts this long
        // (Wine's keep 17); they are made here, before the count starts.
        PageInFrame warmUp(MakePage<roster::ColumnHeadersPP>(), {Unknown(host)});
        for (const wchar_t* field : {L"&Text:", L"Ta&g:", L"&Key:", L"&Width:"}) warmUp.Enter(field, huge);
    }
    CountGdiFromHere();
    {
        PageInFrame page(MakePage<roster::ColumnHeadersPP>(), {Unknown(host)});
        page.Enter(L"&Text:", huge);
        page.Enter(L"Ta&g:", huge);
        page.Enter(L"&Key:", huge);
        page.Enter(L"&Width:", digits);
        ASSERT_HRESULT_SUCCEEDED(page.Page()->Apply());
        auto column = Column(host, 1);
        EXPECT_EQ(AsText(Get(column.Get(), L"Text")), huge);
        EXPECT_EQ(AsText(Get(column.Get(), L"Tag")), huge);
        EXPECT_EQ(AsText(Get(column.Get(), L"Key")), huge);
        EXPECT_EQ(AsLong(Get(column.Get(), L"Width")), 50);
        ASSERT_EQ(host.site->messages.size(), 1u);
        EXPECT_EQ(host.site->messages[0], L"Overflow|<application>");
        EXPECT_EQ(TextOf(page.Named(L"&Width:")), L"50") << "the field shows the width again";
        // A second apply without edits writes nothing and shows nothing.
        ASSERT_HRESULT_SUCCEEDED(page.Page()->Apply());
        EXPECT_EQ(host.site->messages.size(), 1u);
    }
    PageInFrame sort(MakePage<roster::Sort>(), {Unknown(host)});
    sort.Enter(L"Sort&Key:", digits);
    HRESULT hr = sort.Page()->Apply();
    EXPECT_EQ(hr, static_cast<HRESULT>(0x800A0006)) << "overflow reaches the frame";
    EXPECT_EQ(sort.Page()->IsPageDirty(), S_OK);
    EXPECT_EQ(AsLong(Get(host.Disp(), L"SortKey")), 0);
}

// Inspects the system's property frame while it runs modally, then cancels it.
struct SystemFrameVisit {
    static inline std::vector<std::wstring> tabs;
    static inline std::vector<std::wstring> captions;
    static inline int ticks = 0;

    static BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
        if (IsWindowVisible(window) && ClassOf(window) == L"#32770") {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }
    static BOOL CALLBACK Collect(HWND window, LPARAM) {
        if (IsWindowVisible(window)) captions.push_back(TextOf(window));
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog && ++ticks < 50) return;
        KillTimer(nullptr, timer);
        if (!dialog) return;
        HWND tabControl = FindWindowExW(dialog, nullptr, WC_TABCONTROLW, nullptr);
        int count = tabControl ? static_cast<int>(SendMessageW(tabControl, TCM_GETITEMCOUNT, 0, 0)) : 0;
        const wchar_t* shots = _wgetenv(L"VEL_SCREENSHOTS");
        for (int i = 0; i < count; ++i) {
            wchar_t text[64] = {};
            TCITEMW item{TCIF_TEXT};
            item.pszText = text;
            item.cchTextMax = 64;
            SendMessageW(tabControl, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
            tabs.push_back(text);
            SendMessageW(dialog, PSM_SETCURSEL, i, 0);
            PumpMessages();
            EnumChildWindows(dialog, &Collect, 0);
            if (shots) {
                RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                Sleep(200);
                PumpMessages();
                velform::Screenshot::Save(dialog, std::wstring(shots) + L"\\page" + std::to_wstring(i + 1) + L".bmp");
            }
        }
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        PostMessageW(dialog, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }
};

TEST_F(PropertyPages, ThePropertiesVerbOpensThePagesInTheSystemFrameAndReleasesThem) {
    ListboxHost host;
    host.AddColumns(2, 50);
    ComPtr<IEnumOLEVERB> verbs;
    ASSERT_HRESULT_SUCCEEDED(host.object->EnumVerbs(&verbs));
    OLEVERB verb{};
    ULONG fetched = 0;
    ASSERT_EQ(verbs->Next(1, &verb, &fetched), S_OK);
    EXPECT_EQ(verb.lVerb, OLEIVERB_PROPERTIES);
    EXPECT_NE(std::wstring(verb.lpszVerbName).find(L"Properties"), std::wstring::npos);
    EXPECT_TRUE(verb.grfAttribs & OLEVERBATTRIB_ONCONTAINERMENU);
    CoTaskMemFree(verb.lpszVerbName);
    verbs.Reset();

    // The test container has no frame of its own, so the control opens the system's.
    SystemFrameVisit::tabs.clear();
    SystemFrameVisit::captions.clear();
    SystemFrameVisit::ticks = 0;
    SetTimer(nullptr, 0, 100, &SystemFrameVisit::Tick);
    EXPECT_HRESULT_SUCCEEDED(host.object->DoVerb(OLEIVERB_PROPERTIES, nullptr, host.site.Get(), 0, nullptr, nullptr));
    EXPECT_EQ(SystemFrameVisit::tabs, (std::vector<std::wstring>{L"General", L"ColumnHeaders", L"Sorting"}));
    auto& seen = SystemFrameVisit::captions;
    for (const wchar_t* caption : {L"Multi&Select", L"&Insert Column", L"Sort&Key:"})
        EXPECT_NE(std::find(seen.begin(), seen.end(), caption), seen.end()) << testing::PrintToString(std::wstring(caption));
    PumpMessages();
    // Every page the frame created is gone with it.
    CoFreeUnusedLibraries();
    HMODULE library = GetModuleHandleW(L"VelRoster.ocx");
    if (library) {
        auto canUnload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
            reinterpret_cast<void*>(GetProcAddress(library, "DllCanUnloadNow")));
        ASSERT_NE(canUnload, nullptr);
        EXPECT_EQ(canUnload(), S_OK);
    }
    // What the test owns is released above; the frame's GDI objects are the system's.
    CountGdiFromHere();
}

}  // namespace
