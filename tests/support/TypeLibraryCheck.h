#pragma once
// Checks of a registered type library as late-bound callers see it: member names,
// dispatch ids, kinds, hidden flags, help strings and type flags.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>
#include <wrl/client.h>

namespace vel::test {

struct TypeMember {
    const wchar_t* name;
    DISPID id;
    INVOKEKIND kind;
    bool hidden;
    const wchar_t* help = nullptr;  // checked when given
};

// The constants of an enumeration in their order: name and value.
using Constants = std::vector<std::pair<std::wstring, long>>;
Constants EnumerationConstants(ITypeInfo* enumeration);

class TypeLibraryCheck : public ::testing::Test {
protected:
    // Loads the registered library `libid` version 1.0 (a failure fails the test).
    void Load(const GUID& libid, const char* libraryName);
    Microsoft::WRL::ComPtr<ITypeInfo> Info(const GUID& guid);
    // Every listed member is present with its id, kind, hidden flag and help string.
    void ExpectMembers(const GUID& guid, std::initializer_list<TypeMember> members);
    WORD Flags(const GUID& guid);
    // The FUNCFLAG_* flags of the first member with `id`.
    WORD MemberFlags(const GUID& guid, DISPID id);

    Microsoft::WRL::ComPtr<ITypeLib> library;
};

constexpr INVOKEKIND kGet = INVOKE_PROPERTYGET, kPut = INVOKE_PROPERTYPUT, kPutRef = INVOKE_PROPERTYPUTREF,
                     kMethod = INVOKE_FUNC;

}  // namespace vel::test
