#include "ListBoxSide.h"

#include "Automation.h"
#include "HostingSupport.h"

namespace vel::bench {

namespace {
com::Variant Text(const std::wstring& text) { return com::Variant::FromString(text.c_str()); }
std::wstring KeyText(long key) { return L"k" + std::to_wstring(key); }
}  // namespace

ListBoxSide::ListBoxSide(int width, int height, int columns, int columnPixels) {
    site_ = com::Make<test::TestContainer>();
    SetWindowPos(site_->Window(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    control_ = hosting::MakeControl<roster::VelListbox>();
    control_.As(&object_);
    object_->SetClientSite(site_.Get());
    com::ComPtr<IPersistStreamInit> stream;
    control_.As(&stream);
    stream->InitNew();
    object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, site_->Window(), nullptr);
    com::ComPtr<IOleInPlaceObject> inPlace;
    control_.As(&inPlace);
    RECT rect{0, 0, width, height};
    inPlace->SetObjectRects(&rect, &rect);
    control_->get_ListItems(&items_);
    com::ComPtr<_VelColumnHeaders> headers;
    control_->get_ColumnHeaders(&headers);
    // Column widths are in the container's units: so many pixels times the scale factor.
    for (int c = 1; c <= columns; ++c) {
        com::ComPtr<::VelColumnHeader> column;
        headers->Add(test::Missing().Get(), test::Missing().Get(), Text(L"Column").Get(),
                     test::Num(columnPixels * control_->ScaleFactor()).Get(), test::Missing().Get(), &column);
    }
    com::ComPtr<IFontDisp> font;
    control_->get_Font(&font);
    if (font) font.As(&font_);
    test::PumpMessages();
}

ListBoxSide::~ListBoxSide() {
    items_.Reset();
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
    test::PumpMessages();
}

HFONT ListBoxSide::Font() const {
    HFONT font = nullptr;
    if (font_) font_->get_hFont(&font);
    return font;
}

long ListBoxSide::RowsInView() const {
    com::ComPtr<::VelListItem> first, last;
    control_->GetFirstVisible(&first);
    control_->GetLastVisible(&last);
    LONG a = 0, b = -1;
    if (first) first->get_Index(&a);
    if (last) last->get_Index(&b);
    return b - a + 1;
}

void ListBoxSide::SetRedraw(bool on) { control_->put_Redraw(on ? VARIANT_TRUE : VARIANT_FALSE); }

void ListBoxSide::Append(const std::wstring& text, long key) {
    com::ComPtr<::VelListItem> row;
    items_->Add(test::Missing().Get(), key > 0 ? Text(KeyText(key)).Get() : test::Missing().Get(), Text(text).Get(),
                &row);
}

void ListBoxSide::Insert(long at, const std::wstring& text) {
    com::ComPtr<::VelListItem> row;
    items_->Add(test::Num(at).Get(), test::Missing().Get(), Text(text).Get(), &row);
}

void ListBoxSide::Remove(long at) { items_->Remove(test::Num(at).Get()); }

bool ListBoxSide::FindKey(long key) {
    com::ComPtr<::VelListItem> row;
    return SUCCEEDED(items_->get_Item(Text(KeyText(key)).Get(), &row)) && row;
}

bool ListBoxSide::FindIndex(long at) {
    com::ComPtr<::VelListItem> row;
    return SUCCEEDED(items_->get_Item(test::Num(at).Get(), &row)) && row;
}

std::wstring ListBoxSide::TextAt(long at) {
    com::ComPtr<::VelListItem> row;
    items_->get_Item(test::Num(at).Get(), &row);
    BSTR text = nullptr;
    if (row) row->get_Text(&text);
    return std::wstring(com::Bstr::Attach(text).View());
}

long ListBoxSide::Count() const {
    LONG count = 0;
    items_->get_Count(&count);
    return count;
}

void ListBoxSide::Clear() { items_->Clear(); }

void ListBoxSide::SelectFirst() {
    com::ComPtr<::VelListItem> row;
    items_->get_Item(test::Num(1).Get(), &row);
    if (row) control_->putref_SelectedItem(row.Get());
}

// Sorted on the first column; Sorted is set again so that the rows are sorted every time.
void ListBoxSide::Sort(bool descending) {
    control_->put_Sorted(VARIANT_FALSE);
    control_->put_SortKey(1);
    control_->put_SortOrder(descending ? velDescending : velAscending);
    control_->put_Sorted(VARIANT_TRUE);
}

}  // namespace vel::bench
