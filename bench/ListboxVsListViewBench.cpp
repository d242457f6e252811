// The list box beside the system's list view (report view) under the same conditions: both
// 600 x 400 pixels, visible side by side, three 160-pixel columns, the list box's font on both,
// painting through each control's own paint path (the window invalidated, then its paint
// message run), and the same random texts. A third side is the list view in owner-data mode,
// for the operations it has an equivalent of. For 100 to 1,000,000 rows every figure is the
// median of several runs whose order of sides rotates; the table shows the spread, the ratios
// and the growth per tenfold rows, and the figures are drawn into a BMP chart.
// Memory per row is measured with each control alone in a child process of this program
// (its /memory switch).
//
// Switches: /max ROWS (the largest size), /from ROWS (the smallest), /leave SIDE (0 list box,
// 1 list view, 2 owner data; a side left out, repeatable), /runs N (runs a figure, five by default; three at a
// million rows), /chart FILE.bmp, /memory SIDE ROWS (child only).
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BenchChart.h"
#include "BenchClock.h"
#include "BenchResults.h"
#include "GdiObject.h"
#include "HostingSupport.h"
#include "ListBoxSide.h"
#include "ListViewSide.h"
#include "Module.h"

using namespace vel;
using namespace vel::bench;

namespace {

constexpr int kWidth = 600, kHeight = 400, kColumns = 3, kColumnPixels = 160;
constexpr double kBurstSeconds = 0.25;  // a burst of calls stops after this long
constexpr double kSortLimitSeconds = 90;  // a sort predicted to take longer is not run
// A whole-list line (a sort, the Down keys) is repeated at a size until its samples add up to
// this many seconds: a sort of 100,000 rows in the list view takes about a minute a run.
constexpr double kLineSeconds = 20;
enum Side { kBox, kView, kOwnerData, kSides };
enum LineId {
    kBulkPlain, kBulkKeyed, kAppendPainting, kInsertFront, kRemoveFirst, kRemoveMiddle, kItemKey, kItemIndex,
    kRepaintTop, kScrollEnd, kRepaintEnd, kDownKeys, kSortAll, kSortedAdd, kClear, kMemory, kLineCount
};

std::vector<Line> Lines() {
    return {{"bulk append, plain", "us/row"},         {"bulk append, keyed", "us/row"},
            {"append, painting on", "us/row"},        {"insert at the front", "us/row"},
            {"remove the first row", "us/row"},       {"remove a middle row", "us/row"},
            {"Item(key)", "us/call"},                  {"Item(index)", "us/call"},
            {"full repaint at the top", "us"},        {"scroll to the end (End)", "us"},
            {"full repaint at the end", "us"},        {"1,000 Down keys, queued", "us"},
            {"sort all rows (both orders)", "us"},    {"sorted add, painting on", "us/row"},
            {"Clear", "us"},                           {"memory per row", "bytes", false}};
}

HFONT g_font = nullptr;  // a copy of the list box's font, given to every list view

std::unique_ptr<BenchSide> MakeSide(int side) {
    if (side == kBox) return std::make_unique<ListBoxSide>(kWidth, kHeight, kColumns, kColumnPixels);
    return std::make_unique<ListViewSide>(kWidth + 10, kWidth, kHeight, kColumns, kColumnPixels, g_font,
                                          side == kOwnerData);
}

// Seven letters of mixed case: texts whose order a case-insensitive sort must find.
std::wstring RandomText(std::mt19937& random) {
    std::wstring text(7, L' ');
    for (auto& c : text) {
        unsigned r = random() % 52;
        c = static_cast<wchar_t>(r < 26 ? L'a' + r : L'A' + (r - 26));
    }
    return text;
}

// The control's own paint path: the whole window invalid, then its paint message.
void Paint(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

// Keys queued as a user types ahead: the control handles them and paints once they are done.
double QueuedKeys(HWND window, WPARAM key, int presses) {
    double start = Now();
    for (int i = 0; i < presses; ++i) {
        PostMessageW(window, WM_KEYDOWN, key, 1);
        PostMessageW(window, WM_KEYUP, key, 0xC0000001);
    }
    test::PumpMessages();
    UpdateWindow(window);
    return (Now() - start) * 1e6;
}

void Key(HWND window, WPARAM key) {
    SendMessageW(window, WM_KEYDOWN, key, 1);
    SendMessageW(window, WM_KEYUP, key, 0xC0000001);
    UpdateWindow(window);
}

// Microseconds per call of `operation`, each call followed by the paint it asked for (unless
// `paints` is false: look-ups change nothing on screen); the burst ends after `maxCalls` calls
// or kBurstSeconds, whichever comes first.
template <class Operation>
double PerCall(HWND window, int maxCalls, Operation operation, bool paints = true) {
    double start = Now(), stop = start + kBurstSeconds;
    int calls = 0;
    while (calls < maxCalls && (calls < 3 || Now() < stop)) {
        operation(calls++);
        if (paints) UpdateWindow(window);
    }
    test::PumpMessages();
    return (Now() - start) * 1e6 / calls;
}

template <class Operation>
double Once(HWND window, Operation operation) {
    double start = Now();
    operation();
    UpdateWindow(window);
    test::PumpMessages();
    return (Now() - start) * 1e6;
}

bool InOrder(BenchSide& side, bool descending) {
    std::wstring previous = side.TextAt(1);
    for (long i = 2, n = side.Count(); i <= n; ++i) {
        std::wstring text = side.TextAt(i);
        int order = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, previous.c_str(), -1, text.c_str(), -1);
        if (descending ? order == CSTR_LESS_THAN : order == CSTR_GREATER_THAN) return false;
        previous = std::move(text);
    }
    return true;
}

class Comparison {
public:
    explicit Comparison(std::vector<long> sizes)
        : results_(Lines(), {"list box", "list view", "list view (owner data)"}, std::move(sizes)) {}

    BenchResults& Results() { return results_; }
    void Leave(int side) {
        if (side >= 0 && side < kSides) left_[side] = true;
    }

    void RunSize(int z, int runs) {
        long rows = results_.Sizes()[z];
        std::mt19937 random(20261209u + static_cast<unsigned>(rows));
        texts_.clear();
        for (long i = 0; i < rows; ++i) texts_.push_back(RandomText(random));
        bool left[kSides] = {};
        for (int s = 0; s < kSides; ++s) left[s] = LeftOut(s, z);
        for (int run = 0; run < runs; ++run)
            for (int k = 0; k < kSides; ++k)
                if (!left[(k + run) % kSides]) RunSide((k + run) % kSides, z, random);
        for (int s = 0; s < kSides; ++s)
            if (!left[s]) Memory(s, z);
    }

    void Skip(int line, int side, int z, const char* why) {
        skipped_.push_back({line, side, z});
        results_.Note(std::string("not run: ") + results_.Lines()[line].name + ", " + results_.Sides()[side] +
                      ", " + std::to_string(results_.Sizes()[z]) + " rows: " + why);
    }

    // The sort of all rows is left out where its growth so far predicts minutes.
    void PlanSort(int z) {
        if (z < 2) return;
        for (int s = 0; s < kSides; ++s) {
            if (!results_.Has(kSortAll, s, z - 1) || !results_.Has(kSortAll, s, z - 2)) continue;
            double last = results_.Median(kSortAll, s, z - 1), growth = last / results_.Median(kSortAll, s, z - 2);
            if (last * std::max(growth, 10.0) / 1e6 > kSortLimitSeconds)
                Skip(kSortAll, s, z, "its growth so far predicts more than 90 s a sort");
        }
    }

    void PrintViews() {
        auto box = MakeSide(kBox);
        auto view = MakeSide(kView);
        for (int i = 0; i < 200; ++i) {
            box->Append(L"row", 0);
            view->Append(L"row", 0);
        }
        LOGFONTW font{};
        GetObjectW(g_font, sizeof font, &font);
        std::printf("Font: %ls, %ld pixels high, on both; rows in view: list box %ld, list view %ld\n",
                    font.lfFaceName, font.lfHeight, box->RowsInView(), view->RowsInView());
    }

private:
    bool Skipped(int line, int side, int z) const {
        for (const auto& s : skipped_)
            if (s[0] == line && s[1] == side && s[2] == z) return true;
        return false;
    }

    // A side is left out of a size where its last size predicts many minutes a run: removing
    // every row (Clear, and the window's destruction) was seen to grow as the square of the
    // rows in the list view under Wine, and the owner-data list view's Down keys tenfold.
    bool LeftOut(int s, int z) {
        if (left_[s]) return true;
        if (z == 0) return false;
        double clear = results_.Median(kClear, s, z - 1) * 100 / 1e6;
        double keys = results_.Median(kDownKeys, s, z - 1) * 10 / 1e6;
        if (clear <= 60 && keys <= 300) return false;
        char why[160];
        std::snprintf(why, sizeof why, "every line: its %s predicts %.0f s here from %ld rows",
                      clear > 60 ? "Clear" : "1,000 Down keys", clear > 60 ? clear : keys, results_.Sizes()[z - 1]);
        results_.Note("not run: " + results_.Sides()[s] + ", " + std::to_string(results_.Sizes()[z]) + " rows, " + why);
        return true;
    }

    bool Enough(int line, int side, int z) const { return results_.Sum(line, side, z) / 1e6 >= kLineSeconds; }

    void RunSide(int s, int z, std::mt19937& random) {
        long rows = results_.Sizes()[z];
        {
            auto side = MakeSide(s);
            double us = Once(side->Window(), [&] {
                side->SetRedraw(false);
                for (long i = 0; i < rows; ++i) side->Append(texts_[i], 0);
                side->SetRedraw(true);
                Paint(side->Window());
            });
            results_.Add(kBulkPlain, s, z, us / rows);
            results_.Add(kClear, s, z, Once(side->Window(), [&] { side->Clear(); }));
        }
        auto side = MakeSide(s);
        HWND window = side->Window();
        bool keyed = side->Can(Ability::Keys), positional = side->Can(Ability::Positional);
        double fill = Once(window, [&] {
            side->SetRedraw(false);
            for (long i = 0; i < rows; ++i) side->Append(texts_[i], keyed ? i + 1 : 0);
            side->SetRedraw(true);
            Paint(window);
        });
        if (keyed) results_.Add(kBulkKeyed, s, z, fill / rows);
        if (keyed)
            results_.Add(kItemKey, s, z, PerCall(window, 1000, [&](int) { side->FindKey(1 + random() % rows); }, false));
        if (positional)
            results_.Add(kItemIndex, s, z, PerCall(window, 1000, [&](int) { side->FindIndex(1 + random() % rows); }, false));
        results_.Add(kRepaintTop, s, z, PerCall(window, 200, [&](int) { Paint(window); }));
        side->SelectFirst();
        Paint(window);
        results_.Add(kScrollEnd, s, z, ScrollToEnd(*side));
        results_.Add(kRepaintEnd, s, z, PerCall(window, 200, [&](int) { Paint(window); }));
        Key(window, VK_HOME);
        if (!Enough(kDownKeys, s, z)) results_.Add(kDownKeys, s, z, QueuedKeys(window, VK_DOWN, 1000));
        results_.Add(kAppendPainting, s, z,
                     PerCall(window, 1000, [&](int) { side->Append(RandomText(random), 0); }));
        if (positional) {
            results_.Add(kInsertFront, s, z, PerCall(window, 500, [&](int) { side->Insert(1, RandomText(random)); }));
            results_.Add(kRemoveFirst, s, z, PerCall(window, 500, [&](int) {
                             if (side->Count() > 2) side->Remove(1);
                         }));
            results_.Add(kRemoveMiddle, s, z, PerCall(window, 500, [&](int) {
                             if (side->Count() > 2) side->Remove(side->Count() / 2);
                         }));
        }
        if (side->Can(Ability::Sorting)) SortAndAdd(*side, s, z, random);
    }

    // The End key from the first row, the Home key between the timed presses.
    double ScrollToEnd(BenchSide& side) {
        HWND window = side.Window();
        double total = 0, stop = Now() + kBurstSeconds;
        int presses = 0;
        while (presses < 50 && (presses < 3 || Now() < stop)) {
            Key(window, VK_HOME);
            double start = Now();
            Key(window, VK_END);
            total += Now() - start;
            ++presses;
        }
        return total * 1e6 / presses;
    }

    void SortAndAdd(BenchSide& side, int s, int z, std::mt19937& random) {
        HWND window = side.Window();
        if (!Skipped(kSortAll, s, z) && !Enough(kSortAll, s, z)) {
            double up = Once(window, [&] { side.Sort(false); });
            bool upRight = InOrder(side, false);
            double down = Once(window, [&] { side.Sort(true); });
            bool downRight = InOrder(side, true);
            if (!upRight || !downRight)
                std::printf("WRONG ORDER: %s at %ld rows after the %s sort\n", results_.Sides()[s].c_str(),
                            results_.Sizes()[z], upRight ? "descending" : "ascending");
            results_.Add(kSortAll, s, z, (up + down) / 2);
        }
        side.Sort(false);
        side.KeepSorted();
        results_.Add(kSortedAdd, s, z, PerCall(window, 500, [&](int) { side.Append(RandomText(random), 0); }));
    }

    // Bytes per row of `side` filled alone in a child process of this program.
    void Memory(int s, int z) {
        wchar_t exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring command = L"\"" + std::wstring(exe) + L"\" /memory " + std::to_wstring(s) + L" " +
                               std::to_wstring(results_.Sizes()[z]);
        STARTUPINFOW startup{sizeof(startup)};
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return;
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        if (code > 0 && code < 0x10000000) results_.Add(kMemory, s, z, code / 100.0);
    }

    BenchResults results_;
    std::vector<std::wstring> texts_;
    std::vector<std::array<int, 3>> skipped_;
    bool left_[kSides] = {};
};

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

// The child of Comparison::Memory: one side filled with `rows` rows of random text, the
// growth of the heaps per row (in hundredths of a byte) as the exit code.
int MeasureMemory(int s, long rows) {
    auto side = MakeSide(s);
    std::mt19937 random(7);
    double before = HeapBytesInUse();
    side->SetRedraw(false);
    for (long i = 0; i < rows; ++i) side->Append(RandomText(random), 0);
    side->SetRedraw(true);
    Paint(side->Window());
    double bytes = HeapBytesInUse() - before;
    return bytes > 0 ? static_cast<int>(bytes * 100 / rows) : 0;
}

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

void PrintTargets(BenchResults& r) {
    const auto& sizes = r.Sizes();
    int last = static_cast<int>(sizes.size()) - 1, small = 1;  // 1,000 rows
    std::printf("\nTargets (list box / list view)\n");
    for (int l = 0; l < kLineCount; ++l) {
        std::string misses;
        for (int z = 0; z <= last; ++z)
            if (r.Has(l, kBox, z) && r.Has(l, kView, z) && r.Median(l, kBox, z) > r.Median(l, kView, z))
                misses.append(" ").append(std::to_string(sizes[z]));
        if (!misses.empty()) std::printf("  at most 1: MISSED for %s at%s rows\n", r.Lines()[l].name.c_str(), misses.c_str());
    }
    if (sizes[last] < 1000000 || sizes.size() < 5) {
        std::printf("  the 1,000,000-row targets need every size from 100 to 1,000,000 rows in one run\n");
        return;
    }
    for (int l : {kInsertFront, kRemoveFirst, kRemoveMiddle, kItemKey, kItemIndex, kAppendPainting, kSortedAdd}) {
        double growth = r.Median(l, kBox, last) / r.Median(l, kBox, small);
        std::printf("  %s at 1,000,000 rows: %.2fx of 1,000 rows (within 2x: %s)\n", r.Lines()[l].name.c_str(),
                    growth, growth <= 2 ? "met" : "MISSED");
    }
    for (int l : {kRepaintTop, kRepaintEnd}) {
        double growth = r.Median(l, kBox, last) / r.Median(l, kBox, 0);
        std::printf("  %s at 1,000,000 rows: %.2fx of 100 rows (within 1.5x: %s)\n", r.Lines()[l].name.c_str(),
                    growth, growth <= 1.5 ? "met" : "MISSED");
    }
    double sort = r.Median(kSortAll, kBox, last) / 1e6;
    std::printf("  sort of all rows at 1,000,000 rows: %.2f s (below 3 s: %s)\n", sort, sort < 3 ? "met" : "MISSED");
    for (int z = 0; z <= last; ++z)
        if (r.Has(kMemory, kBox, z) && r.Has(kMemory, kView, z)) {
            double share = r.Median(kMemory, kBox, z) / r.Median(kMemory, kView, z);
            std::printf("  memory per row at %ld rows: %.2f of the list view's (at most 0.5: %s)\n", sizes[z], share,
                        share <= 0.5 ? "met" : "MISSED");
        }
}

}  // namespace

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    long maxRows = 1000000;
    int runsAsked = 5;
    long minRows = 100;
    std::vector<int> leave;
    std::wstring chart;
    int memorySide = -1;
    long memoryRows = 0;
    for (int i = 1; i + 1 < argc; ++i) {
        if (!wcscmp(argv[i], L"/max")) maxRows = _wtol(argv[++i]);
        else if (!wcscmp(argv[i], L"/from")) minRows = _wtol(argv[++i]);
        else if (!wcscmp(argv[i], L"/leave")) leave.push_back(_wtoi(argv[++i]));
        else if (!wcscmp(argv[i], L"/runs")) runsAsked = std::max(1, _wtoi(argv[++i]));
        else if (!wcscmp(argv[i], L"/chart")) chart = argv[++i];
        else if (!wcscmp(argv[i], L"/memory") && i + 2 < argc) {
            memorySide = _wtoi(argv[++i]);
            memoryRows = _wtol(argv[++i]);
        }
    }
    LocalFree(argv);
    drawing::OwnedFont font;
    {
        // The list box's own font, copied so that it outlives every list box of the run.
        ListBoxSide donor(kWidth, kHeight, kColumns, kColumnPixels);
        LOGFONTW description{};
        GetObjectW(donor.Font(), sizeof description, &description);
        font.Reset(CreateFontIndirectW(&description));
        g_font = font.Get();
    }
    int code = 0;
    if (memorySide >= 0) {
        code = MeasureMemory(memorySide, memoryRows);
    } else {
        std::vector<long> sizes;
        for (long rows = 100; rows <= maxRows; rows *= 10)
            if (rows >= minRows) sizes.push_back(rows);
        Comparison comparison(sizes);
        for (int s : leave) comparison.Leave(s);
        std::string machine = std::to_string(sizeof(void*) * 8) + "-bit" + (UnderWine() ? ", under Wine" : "");
        std::printf("List box and list view (report view), %s: %d x %d pixels each, both visible, %d columns of %d "
                    "pixels\n", machine.c_str(), kWidth, kHeight, kColumns, kColumnPixels);
        comparison.PrintViews();
        comparison.Results().PrintHeader(stdout);
        std::string title = "List box and list view, " + machine + ": median time per operation (log-log)";
        for (int z = 0; z < static_cast<int>(sizes.size()); ++z) {
            // A million rows take minutes a run: fewer runs there.
            int runs = sizes[z] >= 1000000 ? std::min(runsAsked, 3) : runsAsked;
            if (sizes[z] >= 1000000 && runs < runsAsked)
                comparison.Results().Note("1,000,000 rows: 3 runs a figure (minutes a run)");
            if (z == 0)
                comparison.Results().Note("sorts and Down keys: repeated at a size until their samples add up to 20 s");
            comparison.PlanSort(z);
            comparison.RunSize(z, runs);
            comparison.Results().PrintSize(stdout, z);
            // Drawn after every size, so that a run stopped early still leaves its chart.
            if (!chart.empty() && !BenchChart(comparison.Results()).Save(chart, title))
                std::printf("the chart could not be written\n");
        }
        comparison.Results().PrintNotes(stdout);
        comparison.Results().PrintGrowth(stdout);
        PrintTargets(comparison.Results());
        std::fflush(stdout);
    }
    g_font = nullptr;
    com::Module::ReleaseTypeLibrary();
    CoUninitialize();
    return code;
}
