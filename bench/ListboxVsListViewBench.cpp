// The list box beside the system's ListView (report view), both visible, 600 x 400
// pixels, three columns, in one process. For 1,000, 10,000 and 100,000 rows it prints
// each figure of both and their ratio (list box / ListView):
// - insert at the front, remove the first row: one row, its text only;
// - append with painting on: a row with its text and two sub-item texts;
// - sorted add: a row with a random text into a list kept sorted, painting on;
// - full repaint of the control;
// - memory per row of a filled list (bytes in use on the process heaps);
// - Item(key) on the list box (the ListView has no keys).
// Calls go through the list box's interfaces early-bound, as the ListView's go through
// messages; each timed burst ends with the messages that wait (the paints) handled.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "Automation.h"
#include "BenchClock.h"
#include "HostingSupport.h"
#include "TestContainer.h"
#include "VelListbox.h"

using namespace vel;

namespace {

constexpr int kWidth = 600, kHeight = 400;

using bench::Now;

// Bytes in busy blocks of every heap of the process.
double HeapBytesInUse() {
    HANDLE heaps[64];
    DWORD count = GetProcessHeaps(64, heaps);
    double total = 0;
    for (DWORD h = 0; h < count && h < 64; ++h) {
        if (!HeapLock(heaps[h])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[h], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData + entry.cbOverhead;
        HeapUnlock(heaps[h]);
    }
    return total;
}

std::wstring RowText(long i) {
    wchar_t text[32];
    swprintf(text, 32, L"Row %07ld", i);
    return text;
}

// A text that sorts somewhere among the rows.
std::wstring RandomText(std::mt19937& random) { return RowText(static_cast<long>(random() % 10000000)); }

com::Variant Text(const std::wstring& text) { return com::Variant::FromString(text.c_str()); }

class ListBoxSide {
public:
    ListBoxSide() {
        site_ = com::Make<test::TestContainer>();
        SetWindowPos(site_->Window(), nullptr, 0, 0, kWidth, kHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        control_ = hosting::MakeControl<roster::VelListbox>();
        control_.As(&object_);
        object_->SetClientSite(site_.Get());
        com::ComPtr<IPersistStreamInit> stream;
        control_.As(&stream);
        stream->InitNew();
        object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, site_->Window(), nullptr);
        com::ComPtr<IOleInPlaceObject> inPlace;
        control_.As(&inPlace);
        RECT rect{0, 0, kWidth, kHeight};
        inPlace->SetObjectRects(&rect, &rect);
        control_->get_ListItems(&items_);
        com::ComPtr<_VelColumnHeaders> columns;
        control_->get_ColumnHeaders(&columns);
        for (int c = 1; c <= 3; ++c) {
            com::ComPtr<::VelColumnHeader> column;
            columns->Add(test::Missing().Get(), test::Missing().Get(), Text(L"Column").Get(), test::Num(160).Get(),
                         test::Missing().Get(), &column);
        }
        test::PumpMessages();
    }
    ~ListBoxSide() {
        items_.Reset();
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
        test::PumpMessages();
    }

    void Fill(long rows) {
        control_->put_Redraw(VARIANT_FALSE);
        for (long i = 1; i <= rows; ++i) Append(RowText(i));
        control_->put_Redraw(VARIANT_TRUE);
        test::PumpMessages();
    }
    void Append(const std::wstring& text) {
        com::ComPtr<::VelListItem> row;
        items_->Add(test::Missing().Get(), test::Missing().Get(), Text(text).Get(), &row);
        com::Bstr cell(L"cell");
        row->put_SubItems(1, cell.Get());
        row->put_SubItems(2, cell.Get());
    }
    void InsertFront(const std::wstring& text) {
        com::ComPtr<::VelListItem> row;
        items_->Add(test::Num(1).Get(), test::Missing().Get(), Text(text).Get(), &row);
    }
    void RemoveFirst() { items_->Remove(test::Num(1).Get()); }
    void Add(const std::wstring& text) {
        com::ComPtr<::VelListItem> row;
        items_->Add(test::Missing().Get(), test::Missing().Get(), Text(text).Get(), &row);
    }
    void FindByKey(long i) {
        com::ComPtr<::VelListItem> row;
        items_->get_Item(Text(L"k" + std::to_wstring(i)).Get(), &row);
    }
    void KeyRows(long rows) {
        for (long i = 1; i <= rows; ++i) {
            com::ComPtr<::VelListItem> row;
            items_->get_Item(test::Num(i).Get(), &row);
            row->put_Key(Text(L"k" + std::to_wstring(i)).Get());
        }
    }
    // Sorted by the first column; the rows were added in order already.
    double SortAll() {
        control_->put_Redraw(VARIANT_FALSE);
        control_->put_SortKey(1);
        control_->put_Sorted(VARIANT_TRUE);
        double start = Now();
        control_->put_Redraw(VARIANT_TRUE);
        test::PumpMessages();
        return Now() - start;
    }
    void Repaint() {
        control_->PaintControl(roster::PaintPart::All);
        control_->FlushPaint();
    }

private:
    com::ComPtr<test::TestContainer> site_;
    com::ComPtr<roster::VelListbox> control_;
    com::ComPtr<IOleObject> object_;
    com::ComPtr<_VelListItems> items_;
};

class ListViewSide {
public:
    ListViewSide() {
        frame_ = CreateWindowExW(0, L"STATIC", L"ListView", WS_POPUP | WS_VISIBLE, kWidth + 10, 0, kWidth, kHeight,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, kWidth,
                                kHeight, frame_, nullptr, GetModuleHandleW(nullptr), nullptr);
        for (int c = 0; c < 3; ++c) {
            LVCOLUMNW column{LVCF_TEXT | LVCF_WIDTH};
            column.cx = 160;
            column.pszText = const_cast<wchar_t*>(L"Column");
            SendMessageW(list_, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
        }
        test::PumpMessages();
    }
    ~ListViewSide() { DestroyWindow(frame_); }

    void Fill(long rows) {
        SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
        for (long i = 1; i <= rows; ++i) Append(RowText(i));
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        test::PumpMessages();
    }
    void Append(const std::wstring& text) {
        int at = Insert(Count(), text);
        SetCell(at, 1, L"cell");
        SetCell(at, 2, L"cell");
    }
    void InsertFront(const std::wstring& text) { Insert(0, text); }
    void RemoveFirst() { SendMessageW(list_, LVM_DELETEITEM, 0, 0); }
    void Add(const std::wstring& text) { Insert(Count(), text); }
    void MakeSorted() {
        SetWindowLongW(list_, GWL_STYLE, GetWindowLongW(list_, GWL_STYLE) | LVS_SORTASCENDING);
    }
    void Repaint() { RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

private:
    int Count() const { return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0)); }
    int Insert(int at, const std::wstring& text) {
        LVITEMW item{LVIF_TEXT};
        item.iItem = at;
        item.pszText = const_cast<wchar_t*>(text.c_str());
        return static_cast<int>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    }
    void SetCell(int row, int column, const wchar_t* text) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = const_cast<wchar_t*>(text);
        SendMessageW(list_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    }

    HWND frame_ = nullptr;
    HWND list_ = nullptr;
};

// Microseconds per call of a burst of `calls`, the waiting messages included.
template <class Operation>
double PerCall(int calls, Operation operation) {
    double start = Now();
    for (int i = 0; i < calls; ++i) operation(i);
    test::PumpMessages();
    return (Now() - start) * 1e6 / calls;
}

void Print(const char* figure, long rows, double box, double view, const char* unit) {
    if (view > 0)
        std::printf("%-30s %8ld %12.2f %12.2f %8.3f  %s\n", figure, rows, box, view, box / view, unit);
    else
        std::printf("%-30s %8ld %12.2f %12s %8s  %s\n", figure, rows, box, "-", "-", unit);
    std::fflush(stdout);
}

struct Figures {
    double repaint = 0, keyed = 0;
};

Figures Run(long rows) {
    Figures figures;
    std::mt19937 random(20261208);
    ListBoxSide box;
    ListViewSide view;
    double before = HeapBytesInUse();
    box.Fill(rows);
    double boxBytes = HeapBytesInUse() - before;
    before = HeapBytesInUse();
    view.Fill(rows);
    double viewBytes = HeapBytesInUse() - before;
    Print("memory per row", rows, boxBytes / rows, viewBytes / rows, "bytes");

    const int burst = 1000;
    Print("insert at the front", rows, PerCall(burst, [&](int i) { box.InsertFront(RowText(i)); }),
          PerCall(burst, [&](int i) { view.InsertFront(RowText(i)); }), "us");
    Print("remove the first row", rows, PerCall(burst, [&](int) { box.RemoveFirst(); }),
          PerCall(burst, [&](int) { view.RemoveFirst(); }), "us");
    Print("append, painting on", rows, PerCall(burst, [&](int i) { box.Append(RowText(rows + i)); }),
          PerCall(burst, [&](int i) { view.Append(RowText(rows + i)); }), "us");
    figures.repaint = PerCall(50, [&](int) { box.Repaint(); }) / 1000;
    Print("full repaint", rows, figures.repaint, PerCall(50, [&](int) { view.Repaint(); }) / 1000, "ms");
    box.KeyRows(1000);
    figures.keyed = PerCall(burst, [&](int i) { box.FindByKey(1 + (i * 7919) % 1000); });
    Print("Item(key)", rows, figures.keyed, 0, "us");

    // Sorted lists: the rows are in order already; new rows land anywhere among them.
    Print("sort all rows", rows, box.SortAll() * 1000, 0, "ms");
    view.MakeSorted();
    std::vector<std::wstring> texts;
    for (int i = 0; i < 50; ++i) texts.push_back(RandomText(random));
    double sortedBox = PerCall(50, [&](int i) { box.Add(texts[i]); });
    double sortedView = PerCall(50, [&](int i) { view.Add(texts[i]); });
    Print("sorted add, painting on", rows, sortedBox, sortedView, "us");
    return figures;
}

}  // namespace

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    std::printf("List box and ListView (report view), %d x %d pixels, three columns, both painting\n", kWidth, kHeight);
    std::printf("%-30s %8s %12s %12s %8s\n", "figure", "rows", "list box", "ListView", "ratio");
    double repaint100 = 0;
    {
        ListBoxSide box;
        box.Fill(100);
        repaint100 = PerCall(50, [&](int) { box.Repaint(); }) / 1000;
        Print("full repaint", 100, repaint100, 0, "ms");
    }
    Figures small = Run(1000);
    Run(10000);
    Figures large = Run(100000);
    std::printf("list box at 100,000 rows: Item(key) %.2fx of 1,000 rows, full repaint %.2fx of 100 rows\n",
                large.keyed / small.keyed, large.repaint / repaint100);
    com::Module::ReleaseTypeLibrary();
    CoUninitialize();
    return 0;
}
