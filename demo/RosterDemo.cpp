// Builds a small list through the automation interface, as a form's script would,
// and prints it: columns, keyed rows, a lookup by key, a removal.
#include <windows.h>
#include <cstdio>
#include <string>

#include "Automation.h"
#include "LibraryFlags.h"
#include "VelColumnHeaders.h"
#include "VelListItems.h"

using namespace vel;
using namespace vel::test;

namespace {

void Require(const CallResult& result, const char* what) {
    if (result.Ok()) return;
    std::fwprintf(stderr, L"%hs failed: %ls (0x%08lx)\n", what, result.description.c_str(),
                  static_cast<unsigned long>(result.hr));
    std::exit(1);
}

void Print(IDispatch* columns, IDispatch* items) {
    long columnCount = AsLong(Get(columns, L"Count"));
    for (long c = 1; c <= columnCount; ++c) {
        auto column = AsObject(Get(columns, L"Item", {Num(c)}));
        std::wprintf(L"%-14ls", AsText(Get(column.Get(), L"Text")).c_str());
    }
    std::wprintf(L"%-8ls\n", L"Key");
    long rowCount = AsLong(Get(items, L"Count"));
    for (long r = 1; r <= rowCount; ++r) {
        auto row = AsObject(Get(items, L"Item", {Num(r)}));
        std::wprintf(L"%-14ls", AsText(Get(row.Get(), L"Text")).c_str());
        for (long c = 1; c < columnCount; ++c) std::wprintf(L"%-14ls", AsText(Get(row.Get(), L"SubItems", {Num(c)})).c_str());
        std::wprintf(L"%-8ls\n", AsText(Get(row.Get(), L"Key")).c_str());
    }
    std::wprintf(L"(%ld rows)\n\n", rowCount);
}

}  // namespace

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    roster::LibraryFlags::SetRunTimeMode(true);
    {
        // The list box owns these two and keeps one sub-item slot per column.
        auto columnModel = com::Make<roster::VelColumnHeaders>();
        auto rowModel = com::Make<roster::VelListItems>();
        columnModel->SetScaleFactor(15);
        rowModel->SetScaleFactor(15);
        IDispatch* columns = static_cast<_VelColumnHeaders*>(columnModel.Get());
        IDispatch* items = static_cast<_VelListItems*>(rowModel.Get());

        const wchar_t* captions[] = {L"Planet", L"Moons", L"Distance AU"};
        for (auto caption : captions) {
            Require(Call(columns, L"Add", {Missing(), Missing(), Str(caption), Num(1500)}), "ColumnHeaders.Add");
            rowModel->AddColumnSlot();
        }
        struct Planet { const wchar_t *key, *name, *moons, *distance; };
        const Planet planets[] = {{L"me", L"Mercury", L"0", L"0.39"}, {L"ve", L"Venus", L"0", L"0.72"},
                                  {L"ea", L"Earth", L"1", L"1.00"},   {L"ma", L"Mars", L"2", L"1.52"},
                                  {L"ju", L"Jupiter", L"95", L"5.20"}};
        for (auto& p : planets) {
            auto row = AsObject(Call(items, L"Add", {Missing(), Str(p.key), Str(p.name)}));
            Require(Put(row.Get(), L"SubItems", Str(p.moons), {Num(1)}), "SubItems");
            Require(Put(row.Get(), L"SubItems", Str(p.distance), {Num(2)}), "SubItems");
        }
        std::wprintf(L"The list as built:\n");
        Print(columns, items);

        auto earth = AsObject(Get(items, L"Item", {Str(L"ea")}));
        std::wprintf(L"Item(\"ea\") is %ls at position %ld\n", AsText(Get(earth.Get(), L"Text")).c_str(),
                     AsLong(Get(earth.Get(), L"Index")));
        auto duplicate = Call(items, L"Add", {Missing(), Str(L" EA ")});
        std::wprintf(L"Add with key \" EA \" answers: %ls\n\n", duplicate.description.c_str());

        Require(Call(items, L"Remove", {Str(L"ve")}), "Remove");
        Require(Call(items, L"Add", {Num(1), Str(L"su"), Str(L"Sun")}), "Add at the front");
        std::wprintf(L"After Remove(\"ve\") and Add(1, \"su\", \"Sun\"):\n");
        Print(columns, items);
    }
    com::Module::ReleaseTypeLibrary();
    CoUninitialize();
    return 0;
}
