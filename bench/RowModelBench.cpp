// Cost per operation of the row model at 1,000, 10,000 and 100,000 rows, each call
// made late-bound through IDispatch by name (GetIDsOfNames, then Invoke), as a
// script makes it.
#include <windows.h>
#include <cstdio>
#include <functional>
#include <string>

#include "Automation.h"
#include "BenchClock.h"
#include "EventRecorder.h"
#include "VelColumnHeaders.h"
#include "VelListItems.h"

using namespace vel;
using test::Call;
using test::Missing;
using test::Num;
using test::Str;

namespace {

using bench::Now;

IDispatch* Disp(roster::VelListItems* items) { return static_cast<_VelListItems*>(items); }

// A list of `rows` keyed rows "k1".. with one column.
com::ComPtr<roster::VelListItems> MakeList(long rows) {
    auto items = com::Make<roster::VelListItems>();
    items->AddColumnSlot();
    for (long i = 1; i <= rows; ++i) {
        std::wstring key = L"k" + std::to_wstring(i);
        items->AddItem(Missing().Get(), Str(key.c_str()).Get(), Missing().Get());
    }
    return items;
}

// Microseconds per call of `operation`, run `calls` times on a list of `rows` rows.
double Measure(long rows, int calls, const std::function<void(IDispatch*, int)>& operation, bool withSink = false) {
    auto items = MakeList(rows);
    com::ComPtr<test::EventRecorder> sink;
    if (withSink) {
        sink = com::Make<test::EventRecorder>();
        sink->Connect(items->Unknown(), DIID___VelListItems);
    }
    double start = Now();
    for (int i = 0; i < calls; ++i) {
        operation(Disp(items.Get()), i);
        if (sink && i % 64 == 0) sink->ClearLog();
    }
    double elapsed = Now() - start;
    if (sink) sink->Disconnect();
    return elapsed * 1e6 / calls;
}

void Check(const test::CallResult& result) {
    if (!result.Ok()) {
        std::fprintf(stderr, "call failed: 0x%08lx\n", static_cast<unsigned long>(result.hr));
        std::exit(1);
    }
}

struct Case {
    const char* name;
    std::function<void(IDispatch*, int)> operation;
    bool withSink = false;
    int calls = 1000;
};

}  // namespace

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const long sizes[] = {1000, 10000, 100000};
    const Case cases[] = {
        {"keyed append", [](IDispatch* l, int i) {
             std::wstring key = L"new" + std::to_wstring(i);
             Check(Call(l, L"Add", {Missing(), Str(key.c_str()), Str(L"text")}));
         }},
        {"unkeyed append", [](IDispatch* l, int) { Check(Call(l, L"Add")); }},
        {"insert at the front", [](IDispatch* l, int) { Check(Call(l, L"Add", {Num(1)})); }},
        {"Item(key)", [](IDispatch* l, int i) {
             std::wstring key = L"k" + std::to_wstring(1 + (i * 7919) % 1000);
             Check(test::Get(l, L"Item", {Str(key.c_str())}));
         }},
        {"Item(position)", [](IDispatch* l, int i) { Check(test::Get(l, L"Item", {Num(1 + (i * 7919) % 1000)})); }},
        {"Key set on a row", [](IDispatch* l, int i) {
             auto row = test::AsObject(test::Get(l, L"Item", {Num(1 + i % 1000)}));
             std::wstring key = L"re" + std::to_wstring(i);
             Check(test::Put(row.Get(), L"Key", Str(key.c_str())));
         }},
        {"Remove last", [](IDispatch* l, int) { Check(Call(l, L"Remove", {Num(test::AsLong(test::Get(l, L"Count")))})); }},
        {"Remove first", [](IDispatch* l, int) { Check(Call(l, L"Remove", {Num(1)})); }},
        // Every remaining row reports its index to a connected sink: the cost grows with the list.
        {"Remove last, sink connected", [](IDispatch* l, int) { Check(Call(l, L"Remove", {Num(test::AsLong(test::Get(l, L"Count")))})); }, true, 20},
    };
    std::printf("Row model, microseconds per late-bound call\n");
    std::printf("%-30s %12s %12s %12s %10s\n", "operation", "1,000 rows", "10,000 rows", "100,000 rows", "100k/1k");
    for (auto& c : cases) {
        double t[3];
        for (int s = 0; s < 3; ++s) t[s] = Measure(sizes[s], c.calls, c.operation, c.withSink);
        std::printf("%-30s %12.2f %12.2f %12.2f %9.2fx\n", c.name, t[0], t[1], t[2], t[2] / t[0]);
    }
    com::Module::ReleaseTypeLibrary();
    CoUninitialize();
    return 0;
}
