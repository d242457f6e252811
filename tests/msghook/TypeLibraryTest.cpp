// The hook's types as the library's embedded type library declares them.
#include <gtest/gtest.h>

#include <string>

#include "Module.h"
#include "MsgHookTypes.h"
#include "VelWindows.h"

namespace vel::test {
namespace {

using Microsoft::WRL::ComPtr;

GUID Guid(const wchar_t* text) {
    GUID guid{};
    CLSIDFromString(text, &guid);
    return guid;
}

struct Declared {
    const wchar_t* name;
    const wchar_t* guid;
    TYPEKIND kind;
};

class HookTypeLibrary : public ::testing::Test {
protected:
    ComPtr<ITypeInfo> InfoOf(const GUID& guid) {
        ComPtr<ITypeInfo> info;
        EXPECT_TRUE(SUCCEEDED(com::Module::TypeLibrary()->GetTypeInfoOfGuid(guid, &info)));
        return info;
    }

    // The member `name` of a type: its dispatch id and flags.
    bool Member(ITypeInfo* info, const wchar_t* name, MEMBERID& id, WORD& flags) {
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        if (FAILED(info->GetIDsOfNames(names, 1, &id))) return false;
        TYPEATTR* attributes = nullptr;
        info->GetTypeAttr(&attributes);
        const WORD count = attributes->cFuncs;
        info->ReleaseTypeAttr(attributes);
        for (UINT i = 0; i < count; ++i) {
            FUNCDESC* function = nullptr;
            info->GetFuncDesc(i, &function);
            const bool same = function->memid == id;
            flags = function->wFuncFlags;
            info->ReleaseFuncDesc(function);
            if (same) return true;
        }
        return false;
    }

    MEMBERID IdOf(ITypeInfo* info, const wchar_t* name) {
        MEMBERID id = 0;
        WORD flags = 0;
        EXPECT_TRUE(Member(info, name, id, flags)) << std::string(name, name + wcslen(name));
        return id;
    }
};

TEST_F(HookTypeLibrary, EveryHookTypeHasTheLibrarysOwnIdentifier) {
    const Declared declared[] = {
        {L"VelMessage", L"{A26A2D68-6B79-11D1-BF3C-000000000000}", TKIND_DISPATCH},
        {L"_VelMessages", L"{A26A2D6B-6B79-11D1-BF3C-000000000000}", TKIND_DISPATCH},
        {L"VelMessages", L"{A26A2D6C-6B79-11D1-BF3C-000000000000}", TKIND_COCLASS},
        {L"__VelMessages", L"{A26A2D6D-6B79-11D1-BF3C-000000000000}", TKIND_DISPATCH},
        {L"VelWindow", L"{A26A2D6E-6B79-11D1-BF3C-000000000000}", TKIND_DISPATCH},
        {L"_VelWindows", L"{A26A2D70-6B79-11D1-BF3C-000000000000}", TKIND_DISPATCH},
        {L"VelWindows", L"{A26A2D71-6B79-11D1-BF3C-000000000000}", TKIND_COCLASS},
        {L"__VelWindows", L"{A26A2D72-6B79-11D1-BF3C-000000000000}", TKIND_DISPATCH},
        {L"VelProcessingConstants", L"{A26A2D6A-6B79-11D1-BF3C-000000000000}", TKIND_ENUM},
    };
    for (auto& type : declared) {
        auto info = InfoOf(Guid(type.guid));
        ASSERT_TRUE(info);
        BSTR name = nullptr;
        info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
        EXPECT_STREQ(name, type.name);
        SysFreeString(name);
        TYPEATTR* attributes = nullptr;
        info->GetTypeAttr(&attributes);
        EXPECT_EQ(attributes->typekind, type.kind) << std::string(type.name, type.name + wcslen(type.name));
        if (type.kind == TKIND_COCLASS) {
            EXPECT_FALSE(attributes->wTypeFlags & TYPEFLAG_FCANCREATE);
        }
        info->ReleaseTypeAttr(attributes);
    }
    EXPECT_EQ(__uuidof(_VelWindows), Guid(L"{A26A2D70-6B79-11D1-BF3C-000000000000}"));
    EXPECT_EQ(DIID___VelWindows, Guid(L"{A26A2D72-6B79-11D1-BF3C-000000000000}"));
}

TEST_F(HookTypeLibrary, CollectionMembersCarryTheirDispatchIds) {
    for (const wchar_t* collection : {L"{A26A2D70-6B79-11D1-BF3C-000000000000}", L"{A26A2D6B-6B79-11D1-BF3C-000000000000}"}) {
        auto info = InfoOf(Guid(collection));
        EXPECT_EQ(IdOf(info.Get(), L"Count"), 0x68030000);
        EXPECT_EQ(IdOf(info.Get(), L"Item"), 0);
        EXPECT_EQ(IdOf(info.Get(), L"Add"), 0x60030002);
        EXPECT_EQ(IdOf(info.Get(), L"Remove"), 0x60030003);
        EXPECT_EQ(IdOf(info.Get(), L"Clear"), 0x60030006);
        MEMBERID id = 0;
        WORD flags = 0;
        ASSERT_TRUE(Member(info.Get(), L"NewEnum", id, flags));
        EXPECT_EQ(id, DISPID_NEWENUM);
        EXPECT_TRUE(flags & FUNCFLAG_FHIDDEN);
    }
    auto window = InfoOf(Guid(L"{A26A2D6E-6B79-11D1-BF3C-000000000000}"));
    EXPECT_EQ(IdOf(window.Get(), L"SubClassHwnd"), 0);
    EXPECT_EQ(IdOf(window.Get(), L"Name"), 0x68030004);
    EXPECT_EQ(IdOf(window.Get(), L"Messages"), 0x68030006);
    EXPECT_EQ(IdOf(window.Get(), L"Index"), 0x68030002);
    EXPECT_EQ(IdOf(window.Get(), L"Key"), 0x68030001);
    EXPECT_EQ(IdOf(window.Get(), L"Tag"), 0x68030000);
    auto message = InfoOf(Guid(L"{A26A2D68-6B79-11D1-BF3C-000000000000}"));
    EXPECT_EQ(IdOf(message.Get(), L"Value"), 0);
    EXPECT_EQ(IdOf(message.Get(), L"Text"), 0x68030004);
    EXPECT_EQ(IdOf(message.Get(), L"ProcessDefaultProc"), 0x68030006);
    EXPECT_EQ(IdOf(message.Get(), L"ProcessType"), 0x68030007);
}

TEST_F(HookTypeLibrary, EventsAreHiddenAndNumberedInOrder) {
    auto windows = InfoOf(Guid(L"{A26A2D72-6B79-11D1-BF3C-000000000000}"));
    const wchar_t* events[] = {L"Added", L"Removed", L"Changed", L"MessageAdded", L"MessageRemoved",
                               L"MessageChanged", L"CallBack"};
    for (MEMBERID expected = 1; const wchar_t* event : events) {
        MEMBERID id = 0;
        WORD flags = 0;
        ASSERT_TRUE(Member(windows.Get(), event, id, flags));
        EXPECT_EQ(id, expected++);
        EXPECT_TRUE(flags & FUNCFLAG_FHIDDEN);
    }
    auto messages = InfoOf(Guid(L"{A26A2D6D-6B79-11D1-BF3C-000000000000}"));
    EXPECT_EQ(IdOf(messages.Get(), L"Added"), 1);
    EXPECT_EQ(IdOf(messages.Get(), L"Removed"), 2);
    EXPECT_EQ(IdOf(messages.Get(), L"Changed"), 3);
}

TEST_F(HookTypeLibrary, ACollectionNamesItsClassAndEventsToHosts) {
    auto windows = com::Make<msghook::VelWindows>();
    ComPtr<IProvideClassInfo2> provider;
    ASSERT_TRUE(SUCCEEDED(windows->Unknown()->QueryInterface(IID_PPV_ARGS(&provider))));
    GUID source{};
    ASSERT_TRUE(SUCCEEDED(provider->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source)));
    EXPECT_EQ(source, Guid(L"{A26A2D72-6B79-11D1-BF3C-000000000000}"));
    ComPtr<ITypeInfo> info;
    ASSERT_TRUE(SUCCEEDED(provider->GetClassInfo(&info)));
    TYPEATTR* attributes = nullptr;
    info->GetTypeAttr(&attributes);
    EXPECT_EQ(attributes->guid, Guid(L"{A26A2D71-6B79-11D1-BF3C-000000000000}"));
    info->ReleaseTypeAttr(attributes);
}

TEST_F(HookTypeLibrary, TheProcessingConstants) {
    auto constants = InfoOf(Guid(L"{A26A2D6A-6B79-11D1-BF3C-000000000000}"));
    VARDESC* value = nullptr;
    ASSERT_TRUE(SUCCEEDED(constants->GetVarDesc(1, &value)));
    EXPECT_EQ(value->lpvarValue->lVal, 1);
    BSTR name = nullptr;
    constants->GetDocumentation(value->memid, &name, nullptr, nullptr, nullptr);
    EXPECT_STREQ(name, L"velAfterDefaultProc");
    SysFreeString(name);
    constants->ReleaseVarDesc(value);
}

}  // namespace
}  // namespace vel::test
