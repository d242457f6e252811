#include "ListViewSide.h"

#include <commctrl.h>

#include "HostingSupport.h"

namespace vel::bench {

namespace {
constexpr wchar_t kFrameClass[] = L"VelBenchListViewFrame";

void RegisterFrame() {
    static bool registered = [] {
        WNDCLASSW frame{};
        frame.lpfnWndProc = DefWindowProcW;
        frame.hInstance = GetModuleHandleW(nullptr);
        frame.lpszClassName = kFrameClass;
        frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        return RegisterClassW(&frame) != 0;
    }();
    (void)registered;
}

std::wstring ItemText(HWND list, int index) {
    wchar_t text[256];
    LVITEMW item{};
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
    return text;
}
}  // namespace

ListViewSide::ListViewSide(int left, int width, int height, int columns, int columnPixels, HFONT font,
                           bool ownerData)
    : ownerData_(ownerData) {
    RegisterFrame();
    frame_ = CreateWindowExW(0, kFrameClass, L"ListView", WS_POPUP | WS_VISIBLE, left, 0, width, height, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(frame_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(frame_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameProc));
    DWORD style = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | (ownerData ? LVS_OWNERDATA : 0);
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, 0, 0, width, height, frame_, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    if (font) SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    for (int c = 0; c < columns; ++c) {
        LVCOLUMNW column{LVCF_TEXT | LVCF_WIDTH};
        column.cx = columnPixels;
        column.pszText = const_cast<wchar_t*>(L"Column");
        SendMessageW(list_, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    test::PumpMessages();
}

ListViewSide::~ListViewSide() {
    DestroyWindow(frame_);
    test::PumpMessages();
}

LRESULT CALLBACK ListViewSide::FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_GETDISPINFOW) {
        auto* self = reinterpret_cast<ListViewSide*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self) self->AnswerText(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The first column shows the row's text, the others a fixed cell text.
void ListViewSide::AnswerText(NMLVDISPINFOW& info) const {
    LVITEMW& item = info.item;
    if (!(item.mask & LVIF_TEXT) || item.iItem < 0 || item.iItem >= static_cast<int>(texts_.size())) return;
    const wchar_t* text = item.iSubItem == 0 ? texts_[item.iItem].c_str() : L"";
    lstrcpynW(item.pszText, text, item.cchTextMax);
}

long ListViewSide::RowsInView() const { return static_cast<long>(SendMessageW(list_, LVM_GETCOUNTPERPAGE, 0, 0)); }

void ListViewSide::SetRedraw(bool on) {
    redraw_ = on;
    if (on && ownerData_) PublishCount();
    SendMessageW(list_, WM_SETREDRAW, on, 0);
    if (on) InvalidateRect(list_, nullptr, TRUE);
}

// Owner data: the list view learns of new rows by their count.
void ListViewSide::PublishCount() {
    SendMessageW(list_, LVM_SETITEMCOUNT, texts_.size(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void ListViewSide::Append(const std::wstring& text, long key) {
    if (ownerData_) {
        texts_.push_back(text);
        if (redraw_) PublishCount();
        return;
    }
    LVITEMW item{LVIF_TEXT | LVIF_PARAM};
    item.iItem = Count();
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.lParam = key;
    SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ListViewSide::Insert(long at, const std::wstring& text) {
    LVITEMW item{LVIF_TEXT};
    item.iItem = at - 1;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ListViewSide::Remove(long at) { SendMessageW(list_, LVM_DELETEITEM, at - 1, 0); }

// The list view's own look-up by a row's data: LVM_FINDITEM with LVFI_PARAM.
bool ListViewSide::FindKey(long key) {
    LVFINDINFOW find{LVFI_PARAM};
    find.lParam = key;
    return SendMessageW(list_, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)) >= 0;
}

bool ListViewSide::FindIndex(long at) {
    wchar_t text[256];
    LVITEMW item{LVIF_TEXT | LVIF_PARAM};
    item.iItem = at - 1;
    item.pszText = text;
    item.cchTextMax = 256;
    return SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != FALSE;
}

std::wstring ListViewSide::TextAt(long at) { return ItemText(list_, at - 1); }

long ListViewSide::Count() const { return static_cast<long>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0)); }

void ListViewSide::Clear() {
    if (ownerData_) {
        texts_.clear();
        texts_.shrink_to_fit();
        SendMessageW(list_, LVM_SETITEMCOUNT, 0, 0);
        return;
    }
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
}

void ListViewSide::SelectFirst() {
    LVITEMW state{};
    state.stateMask = state.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageW(list_, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    SendMessageW(list_, LVM_ENSUREVISIBLE, 0, FALSE);
}

// The list view's own sort by the rows' data (LVM_SORTITEMS), comparing their texts as the list
// box does. The texts are gathered first and each row's data made its place among them: under
// Wine, LVM_SORTITEMSEX, which hands the comparison the rows' positions, was seen to leave
// the rows out of order while they moved during the sort. The gathering is part of the time.
int CALLBACK ListViewSide::CompareRows(LPARAM first, LPARAM second, LPARAM self) {
    auto& side = *reinterpret_cast<ListViewSide*>(self);
    const std::wstring &a = side.sortTexts_[first], &b = side.sortTexts_[second];
    int order = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                               static_cast<int>(b.size())) - CSTR_EQUAL;
    return side.descending_ ? -order : order;
}

void ListViewSide::Sort(bool descending) {
    descending_ = descending;
    int count = Count();
    sortTexts_.resize(count);
    for (int i = 0; i < count; ++i) {
        sortTexts_[i] = ItemText(list_, i);
        LVITEMW item{LVIF_PARAM};
        item.iItem = i;
        item.lParam = i;
        SendMessageW(list_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(list_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&CompareRows));
}

void ListViewSide::KeepSorted() {
    SetWindowLongPtrW(list_, GWL_STYLE, GetWindowLongPtrW(list_, GWL_STYLE) | LVS_SORTASCENDING);
}

}  // namespace vel::bench
