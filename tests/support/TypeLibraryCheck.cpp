#include "TypeLibraryCheck.h"

#include <set>
#include <tuple>

#include "LibraryImage.h"

namespace vel::test {
namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

}  // namespace

void TypeLibraryCheck::Load(const GUID& libid, const char* libraryName) {
    ASSERT_EQ(LoadRegTypeLib(libid, 1, 0, 0, &library), S_OK) << "is " << libraryName << " registered?";
}

Microsoft::WRL::ComPtr<ITypeInfo> TypeLibraryCheck::Info(const GUID& guid) {
    Microsoft::WRL::ComPtr<ITypeInfo> info;
    EXPECT_EQ(library->GetTypeInfoOfGuid(guid, &info), S_OK) << "no type " << Narrow(GuidText(guid));
    return info;
}

void TypeLibraryCheck::ExpectMembers(const GUID& guid, std::initializer_list<TypeMember> members) {
    auto info = Info(guid);
    ASSERT_TRUE(info);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    std::set<std::tuple<std::wstring, DISPID, int, bool>> found;
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* f = nullptr;
        ASSERT_EQ(info->GetFuncDesc(i, &f), S_OK);
        BSTR name = nullptr;
        info->GetDocumentation(f->memid, &name, nullptr, nullptr, nullptr);
        found.insert({name, f->memid, f->invkind, (f->wFuncFlags & FUNCFLAG_FHIDDEN) != 0});
        SysFreeString(name);
        info->ReleaseFuncDesc(f);
    }
    info->ReleaseTypeAttr(attr);
    for (auto& m : members) {
        EXPECT_TRUE(found.count({m.name, m.id, m.kind, m.hidden})) << Narrow(m.name) << " id " << std::hex << m.id;
        if (!m.help) continue;
        BSTR help = nullptr;
        info->GetDocumentation(m.id, nullptr, &help, nullptr, nullptr);
        EXPECT_EQ(std::wstring(help ? help : L""), m.help) << Narrow(m.name);
        SysFreeString(help);
    }
}

WORD TypeLibraryCheck::Flags(const GUID& guid) {
    auto info = Info(guid);
    if (!info) return 0;
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    WORD flags = attr->wTypeFlags;
    info->ReleaseTypeAttr(attr);
    return flags;
}

WORD TypeLibraryCheck::MemberFlags(const GUID& guid, DISPID id) {
    auto info = Info(guid);
    if (!info) return 0;
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    WORD flags = 0;
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* f = nullptr;
        info->GetFuncDesc(i, &f);
        bool match = f->memid == id;
        if (match) flags = f->wFuncFlags;
        info->ReleaseFuncDesc(f);
        if (match) break;
    }
    info->ReleaseTypeAttr(attr);
    return flags;
}

Constants EnumerationConstants(ITypeInfo* enumeration) {
    Constants constants;
    TYPEATTR* attr = nullptr;
    if (!enumeration || FAILED(enumeration->GetTypeAttr(&attr))) return constants;
    for (UINT i = 0; i < attr->cVars; ++i) {
        VARDESC* v = nullptr;
        if (FAILED(enumeration->GetVarDesc(i, &v))) continue;
        BSTR name = nullptr;
        enumeration->GetDocumentation(v->memid, &name, nullptr, nullptr, nullptr);
        constants.emplace_back(name ? name : L"", v->lpvarValue ? v->lpvarValue->lVal : -1);
        SysFreeString(name);
        enumeration->ReleaseVarDesc(v);
    }
    enumeration->ReleaseTypeAttr(attr);
    return constants;
}

}  // namespace vel::test
