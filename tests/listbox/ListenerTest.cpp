// The owning list box hears every collection event through a plain C++ listener,
// before any COM sink does.
#include "ColumnHeadersListener.h"
#include "ListItemsListener.h"
#include "RosterFixture.h"

namespace vel::test {
namespace {

struct Heard : roster::ListItemsListener, roster::ColumnHeadersListener {
    std::vector<std::wstring>& log;
    explicit Heard(std::vector<std::wstring>& log) : log(log) {}
    void ListItemAdded(roster::VelListItem& item) override { log.push_back(L"row added " + Key(item.KeyValue())); }
    void ListItemRemoved(roster::VelListItem* item) override {
        log.push_back(item ? L"row removed " + Key(item->KeyValue()) : L"rows cleared");
    }
    void ListItemChanged(roster::VelListItem& item, std::wstring_view property) override {
        log.push_back(L"row " + Key(item.KeyValue()) + L" " + std::wstring(property));
    }
    void ColumnHeaderAdded(roster::VelColumnHeader& column) override { log.push_back(L"column added"); }
    void ColumnHeaderRemoved(roster::VelColumnHeader* column) override {
        log.push_back(column ? L"column removed" : L"columns cleared");
    }
    void ColumnHeaderChanged(roster::VelColumnHeader&, std::wstring_view property) override {
        log.push_back(L"column " + std::wstring(property));
    }
    static std::wstring Key(const VARIANT& key) { return AsText(Variant(key)); }
};

class Listener : public RosterFixture {
protected:
    void TearDown() override {
        items->SetListener(nullptr);
        columns->SetListener(nullptr);
        RosterFixture::TearDown();
    }
};

TEST_F(Listener, HearsEveryEventBeforeTheSinks) {
    std::vector<std::wstring> log;
    Heard heard(log);
    items->SetListener(&heard);
    columns->SetListener(&heard);
    RecordItemEvents().OnEvent([&](const RecordedEvent& e) { log.push_back(L"sink " + std::to_wstring(e.id)); });
    AddColumns(1);
    AddRows(2);
    ASSERT_TRUE(Put(Column(1).Get(), L"Width", Num(300)).Ok());
    ASSERT_TRUE(Call(Disp(items.Get()), L"Remove", {Str(L"k1")}).Ok());
    ASSERT_TRUE(Call(Disp(items.Get()), L"Clear").Ok());
    ASSERT_TRUE(Call(Disp(columns.Get()), L"Clear").Ok());
    const std::vector<std::wstring> expected = {
        L"column added", L"row added k1", L"sink 1", L"row added k2", L"sink 1", L"column Width",
        L"row k2 Index", L"sink 3", L"row removed k1", L"sink 2", L"rows cleared", L"sink 2", L"columns cleared"};
    EXPECT_EQ(log, expected);
}

}  // namespace
}  // namespace vel::test
