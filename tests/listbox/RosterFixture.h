#pragma once
// Row and column models wired as a list box wires them: the same scale factor, and
// one sub-item slot per column.
#include <gtest/gtest.h>

#include "Automation.h"
#include "EventRecorder.h"
#include "ExpectedError.h"
#include "LibraryFlags.h"
#include "VelColumnHeaders.h"
#include "VelListItems.h"

namespace vel::test {

using roster::VelColumnHeaders;
using roster::VelListItems;

inline IDispatch* Disp(VelListItems* items) { return static_cast<_VelListItems*>(items); }
inline IDispatch* Disp(VelColumnHeaders* columns) { return static_cast<_VelColumnHeaders*>(columns); }

class RosterFixture : public ::testing::Test {
protected:
    void SetUp() override {
        roster::LibraryFlags::SetRunTimeMode(true);
        roster::LibraryFlags::SetInternalRenumber(false);
        items = com::Make<VelListItems>();
        columns = com::Make<VelColumnHeaders>();
        items->SetScaleFactor(15);
        columns->SetScaleFactor(15);
    }

    void TearDown() override {
        roster::LibraryFlags::SetRunTimeMode(false);
        if (itemEvents) itemEvents->Disconnect();
        if (columnEvents) columnEvents->Disconnect();
    }

    // `count` columns, each with its sub-item slot.
    void AddColumns(int count) {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(Call(Disp(columns.Get()), L"Add").Ok());
            items->AddColumnSlot();
        }
    }

    // Appends rows keyed "k1".. with texts "t1"..
    void AddRows(int count) {
        for (int i = 1; i <= count; ++i) {
            std::wstring key = L"k" + std::to_wstring(i), text = L"t" + std::to_wstring(i);
            ASSERT_TRUE(Call(Disp(items.Get()), L"Add", {Missing(), Str(key.c_str()), Str(text.c_str())}).Ok());
        }
    }

    EventRecorder& RecordItemEvents() {
        itemEvents = com::Make<EventRecorder>();
        itemEvents->Connect(items->Unknown(), DIID___VelListItems);
        return *itemEvents.Get();
    }

    EventRecorder& RecordColumnEvents() {
        columnEvents = com::Make<EventRecorder>();
        columnEvents->Connect(columns->Unknown(), DIID___VelColumnHeaders);
        return *columnEvents.Get();
    }

    ComPtr<IDispatch> Row(long position) { return AsObject(Get(Disp(items.Get()), L"Item", {Num(position)})); }
    ComPtr<IDispatch> Column(long position) { return AsObject(Get(Disp(columns.Get()), L"Item", {Num(position)})); }

    com::ComPtr<VelListItems> items;
    com::ComPtr<VelColumnHeaders> columns;
    com::ComPtr<EventRecorder> itemEvents;
    com::ComPtr<EventRecorder> columnEvents;
};

constexpr HRESULT kColumnKeyExists = static_cast<HRESULT>(0x8004041B);
constexpr HRESULT kColumnIndexReadOnly = static_cast<HRESULT>(0x8004041A);
constexpr HRESULT kWidthNotPositive = static_cast<HRESULT>(0x8004041C);
constexpr HRESULT kItemKeyExists = static_cast<HRESULT>(0x800A0000 + 50001);
constexpr HRESULT kItemIndexReadOnly = static_cast<HRESULT>(0x800A0000 + 50000);
constexpr HRESULT kOverflow = static_cast<HRESULT>(0x800A0006);
constexpr HRESULT kDivisionByZero = static_cast<HRESULT>(0x800A000B);
constexpr HRESULT kInvalidValue = static_cast<HRESULT>(0x800A017C);
constexpr HRESULT kTypeMismatch = static_cast<HRESULT>(0x800A000D);

}  // namespace vel::test
