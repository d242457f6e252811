// The windows and messages collections through the automation boundary, called by
// name as a script calls them.
#include "HookFixture.h"

namespace vel::test {
namespace {

enum WindowsEvent : DISPID { kAdded = 1, kRemoved = 2, kChanged = 3, kMessageAdded = 4, kMessageRemoved = 5,
                             kMessageChanged = 6 };

class Collections : public HookFixture {
protected:
    void SetUp() override {
        hook = NewHook(owner);
        windows = Disp(&hook->Windows());
    }
    void TearDown() override {
        if (events) events->Disconnect();
    }

    EventRecorder& Record() {
        events = com::Make<EventRecorder>();
        events->Connect(hook->Windows().Unknown(), DIID___VelWindows);
        return *events.Get();
    }
    ComPtr<IDispatch> AddWindow(std::vector<Variant> arguments = {}) {
        auto result = Call(windows, L"Add", std::move(arguments));
        EXPECT_TRUE(result.Ok());
        return AsObject(result);
    }
    ComPtr<IDispatch> MessagesOf(IDispatch* window) { return AsObject(Get(window, L"Messages")); }
    ComPtr<IDispatch> Window(long position) { return AsObject(Get(windows, L"Item", {Num(position)})); }
    long Count(IDispatch* collection) { return AsLong(Get(collection, L"Count")); }
    long IndexOf(IDispatch* member) { return AsLong(Get(member, L"Index")); }

    TestOwner owner{journal};
    std::unique_ptr<VelMsgHook> hook;
    IDispatch* windows = nullptr;
    com::ComPtr<EventRecorder> events;
};

TEST_F(Collections, AppendingNumbersSilentlyAndInsertingRenumbers) {
    for (const wchar_t* key : {L"a", L"b", L"c"}) AddWindow({Missing(), Str(key)});
    owner.changes.clear();
    auto& recorded = Record();
    auto fourth = AddWindow({Missing(), Str(L"d"), Str(L"Fourth"), Num(1234)});
    EXPECT_EQ(IndexOf(fourth.Get()), 4);
    EXPECT_EQ(AsText(Get(fourth.Get(), L"Name")), L"Fourth");
    EXPECT_EQ(AsLong(Get(fourth.Get(), L"SubClassHwnd")), 1234);
    EXPECT_EQ(recorded.Ids(), std::vector<DISPID>{kAdded}) << "no Changed while adding";

    auto front = AddWindow({Num(1), Str(L"front")});
    for (long p = 1; p <= 5; ++p) EXPECT_EQ(IndexOf(Window(p).Get()), p);
    EXPECT_EQ(Window(1).Get(), front.Get());
    EXPECT_TRUE(Fails(Call(windows, L"Add", {Num(6)}), kSubscript, L"Subscript out of range"));
    EXPECT_TRUE(Fails(Call(windows, L"Add", {Num(0)}), kSubscript, L"Subscript out of range"));
    EXPECT_EQ(Count(windows), 5);
    EXPECT_EQ(owner.changes, std::vector<std::wstring>(2, L"Windows"));
}

TEST_F(Collections, PositionsAndKeysFindMembers) {
    AddWindow({Missing(), Str(L"a")});
    AddWindow({Missing(), Str(L"b")});
    EXPECT_EQ(AsText(Get(Window(2).Get(), L"Key")), L"b");
    EXPECT_EQ(AsText(Get(AsObject(Get(windows, L"Item", {Str(L"b")})).Get(), L"Key")), L"b");
    EXPECT_EQ(AsObject(Get(windows, L"Item", {Str(L"2")})).Get(), Window(2).Get()) << "a numeric string is a position";
    EXPECT_TRUE(Fails(Get(windows, L"Item", {Str(L"B")}), kOutOfBounds, L"Index out of bounds."));
    EXPECT_TRUE(Fails(Get(windows, L"Item", {Num(3)}), kOutOfBounds, L"Index out of bounds."));
    EXPECT_TRUE(Fails(Call(windows, L"Remove", {Num(0)}), kOutOfBounds, L"Index out of bounds."));
    EXPECT_TRUE(Fails(Call(windows, L"Add", {Missing(), Str(L" A ")}), kAlreadyExists, L"Key already exists."));
    EXPECT_TRUE(Call(windows, L"Add", {Missing(), Str(L"")}).Ok());
    EXPECT_TRUE(Call(windows, L"Add", {Missing(), Str(L"")}).Ok()) << "blank keys never clash";
    EXPECT_EQ(Count(windows), 4);
}

TEST_F(Collections, RemoveRenumbersAndClearReportsOnceWithNothing) {
    for (int i = 0; i < 3; ++i) AddWindow();
    auto second = Window(2);
    auto& recorded = Record();
    ASSERT_TRUE(Call(windows, L"Remove", {Num(2)}).Ok());
    EXPECT_EQ(recorded.Ids(), std::vector<DISPID>{kRemoved});
    EXPECT_EQ(AsObject(recorded.Events()[0].arguments[0]).Get(), second.Get());
    EXPECT_EQ(IndexOf(Window(2).Get()), 2);
    EXPECT_EQ(IndexOf(second.Get()), 2) << "a removed window keeps its last Index";

    recorded.ClearLog();
    ASSERT_TRUE(Call(windows, L"Clear").Ok());
    EXPECT_EQ(Count(windows), 0);
    ASSERT_EQ(recorded.Ids(), std::vector<DISPID>{kRemoved});
    EXPECT_EQ(recorded.Events()[0].arguments[0].Type(), VT_DISPATCH);
    EXPECT_FALSE(AsObject(recorded.Events()[0].arguments[0]));
}

TEST_F(Collections, AWindowReportsChangedValuesWithTheirNames) {
    auto window = AddWindow({Missing(), Str(L"k")});
    auto& recorded = Record();
    ASSERT_TRUE(Put(window.Get(), L"Name", Str(L"n")).Ok());
    ASSERT_TRUE(Put(window.Get(), L"Name", Str(L"n")).Ok());
    ASSERT_TRUE(Put(window.Get(), L"SubClassHwnd", Num(99)).Ok());
    ASSERT_TRUE(Put(window.Get(), L"Tag", Num(5)).Ok());
    ASSERT_TRUE(Put(window.Get(), L"Tag", Num(5)).Ok());
    ASSERT_TRUE(Put(window.Get(), L"Tag", Null()).Ok());
    ASSERT_TRUE(Put(window.Get(), L"Key", Str(L"other")).Ok());
    EXPECT_TRUE(Fails(Put(window.Get(), L"Key", Str(L"OTHER")), kAlreadyExists, L"Key already exists."))
        << "its own key clashes too";
    std::vector<std::wstring> names;
    for (auto& e : recorded.Events()) {
        EXPECT_EQ(e.id, kChanged);
        EXPECT_EQ(AsObject(e.arguments[0]).Get(), window.Get());
        names.push_back(AsText(e.arguments[1]));
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Name", L"Name", L"SubClassHwnd", L"Tag", L"Tag", L"Key"}));
    EXPECT_EQ(Get(window.Get(), L"Tag").value.Type(), VT_NULL);
    EXPECT_EQ(AsObject(Get(windows, L"Item", {Str(L"other")})).Get(), window.Get()) << "found under its new key";
    EXPECT_TRUE(Fails(Get(windows, L"Item", {Str(L"k")}), kOutOfBounds, L"Index out of bounds."));
}

TEST_F(Collections, MessageNumbersAreUniquePerWindowExceptZero) {
    auto first = MessagesOf(AddWindow().Get());
    auto second = MessagesOf(AddWindow().Get());
    EXPECT_TRUE(Call(first.Get(), L"Add", {Missing(), Missing(), Num(0)}).Ok());
    EXPECT_TRUE(Call(first.Get(), L"Add", {Missing(), Missing(), Num(0)}).Ok());
    auto entry = AsObject(Call(first.Get(), L"Add", {Missing(), Missing(), Num(0x15)}));
    ASSERT_TRUE(entry);
    EXPECT_TRUE(Fails(Call(first.Get(), L"Add", {Missing(), Missing(), Num(0x15)}), kAlreadyExists,
                      L"Message already exists."));
    EXPECT_TRUE(Call(second.Get(), L"Add", {Missing(), Missing(), Num(0x15)}).Ok()) << "another window may list it";
    EXPECT_TRUE(Fails(Put(entry.Get(), L"Value", Num(0x15)), kAlreadyExists, L"Message already exists."))
        << "its own number clashes too";
    EXPECT_TRUE(Put(entry.Get(), L"Value", Num(0)).Ok());
    EXPECT_EQ(Count(first.Get()), 3);
}

TEST_F(Collections, AMessageStartsWithTheWindowsProcedureRunningFirst) {
    auto messages = MessagesOf(AddWindow().Get());
    auto plain = AsObject(Call(messages.Get(), L"Add"));
    EXPECT_EQ(AsLong(Get(plain.Get(), L"Value")), 0);
    EXPECT_TRUE(com::ToBool(Get(plain.Get(), L"ProcessDefaultProc").value.Get()));
    EXPECT_EQ(AsLong(Get(plain.Get(), L"ProcessType")), 0);
    auto full = AsObject(Call(messages.Get(), L"Add",
                              {Num(1), Str(L"m"), Str(L"21"), Num(12345), Num(0), Str(L"1")}));
    EXPECT_EQ(AsLong(Get(full.Get(), L"Value")), 21);
    EXPECT_EQ(AsText(Get(full.Get(), L"Text")), L"12345");
    EXPECT_FALSE(com::ToBool(Get(full.Get(), L"ProcessDefaultProc").value.Get()));
    EXPECT_EQ(AsLong(Get(full.Get(), L"ProcessType")), 1);
    EXPECT_EQ(IndexOf(full.Get()), 1);
    EXPECT_EQ(IndexOf(plain.Get()), 2);
}

TEST_F(Collections, MessageEventsTravelUpToTheHooksOwner) {
    auto window = AddWindow();
    auto messages = MessagesOf(window.Get());
    owner.changes.clear();
    auto& recorded = Record();
    auto entry = AsObject(Call(messages.Get(), L"Add", {Missing(), Str(L"k"), Num(21)}));
    ASSERT_TRUE(Put(entry.Get(), L"Text", Str(L"WM_SYSCOLORCHANGE")).Ok());
    ASSERT_TRUE(Put(entry.Get(), L"ProcessType", Num(1)).Ok());
    ASSERT_TRUE(Put(entry.Get(), L"ProcessDefaultProc", com::Variant::FromBool(false)).Ok());
    ASSERT_TRUE(Put(entry.Get(), L"Tag", Str(L"t")).Ok());
    ASSERT_TRUE(Call(messages.Get(), L"Remove", {Str(L"k")}).Ok());
    ASSERT_TRUE(Call(messages.Get(), L"Clear").Ok());

    EXPECT_EQ(recorded.Ids(), (std::vector<DISPID>{kMessageAdded, kMessageChanged, kMessageChanged, kMessageRemoved,
                                                   kMessageRemoved}))
        << "ProcessType and ProcessDefaultProc are not reported";
    EXPECT_EQ(AsObject(recorded.Events()[1].arguments[0]).Get(), entry.Get());
    EXPECT_EQ(AsText(recorded.Events()[1].arguments[1]), L"Text");
    EXPECT_EQ(AsText(recorded.Events()[2].arguments[1]), L"Tag");
    EXPECT_FALSE(AsObject(recorded.Events()[4].arguments[0])) << "Clear reports nothing";
    EXPECT_EQ(owner.changes, std::vector<std::wstring>(5, L"Messages"));
}

TEST_F(Collections, FindMessageTakesTheFirstEntryInPositionOrder) {
    auto window = hook->Windows().AddWindow(Missing().Get(), Missing().Get(), Missing().Get(), Num(1).Get());
    auto messages = Disp(&window->Messages());
    Call(messages, L"Add", {Missing(), Missing(), Num(0), Missing(), com::Variant::FromBool(false), Num(1)});
    Call(messages, L"Add", {Missing(), Missing(), Num(0), Missing(), com::Variant::FromBool(true), Num(0)});
    auto zero = hook->Windows().FindMessage(*window.Get(), 0);
    EXPECT_TRUE(zero.found);
    EXPECT_FALSE(zero.processDefaultProc);
    EXPECT_EQ(zero.processType, 1);
    EXPECT_FALSE(hook->Windows().FindMessage(*window.Get(), 21).found);
}

TEST_F(Collections, OnlyANonZeroHandleCounts) {
    EXPECT_FALSE(hook->Windows().HasWindowHandle());
    auto window = AddWindow({Missing(), Missing(), Missing(), Num(0)});
    EXPECT_FALSE(hook->Windows().HasWindowHandle());
    Put(window.Get(), L"SubClassHwnd", Num(42));
    EXPECT_TRUE(hook->Windows().HasWindowHandle());
}

TEST_F(Collections, MembersEnumerateInPositionOrder) {
    AddWindow({Missing(), Str(L"a")});
    AddWindow({Num(1), Str(L"b")});
    auto enumerated = Get(windows, L"NewEnum");
    ASSERT_TRUE(enumerated.Ok());
    ComPtr<IEnumVARIANT> members;
    ASSERT_TRUE(SUCCEEDED(enumerated.value.Get().punkVal->QueryInterface(IID_PPV_ARGS(&members))));
    std::vector<std::wstring> keys;
    Variant member;
    while (members->Next(1, member.Out(), nullptr) == S_OK) keys.push_back(AsText(Get(AsObject(member).Get(), L"Key")));
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"b", L"a"}));
}

}  // namespace
}  // namespace vel::test
