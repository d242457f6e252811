#pragma once
// Writes the member reference of a type library as Markdown: every class with its properties,
// methods and events, the interfaces no class shows by default, and the enumerations.
#include <windows.h>
#include <oaidl.h>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vel::reference {

class ReferenceWriter {
public:
    ReferenceWriter(ITypeLib* library, std::wstring fileName);
    std::wstring Write();
    // How many types could not be named (written as "?").
    int Unnamed() const { return unnamed_; }

private:
    struct Member {
        MEMBERID id = 0;
        std::wstring name, help, arguments, type;
        bool property = false, readable = false, writable = false, byReference = false, hidden = false;
    };

    void Library();
    void Each(TYPEKIND kind, const std::function<void(ITypeInfo*)>& write) const;
    void FindOwners();
    std::wstring Reach(const std::wstring& interfaceName) const;
    std::wstring Type(ITypeInfo* context, const TYPEDESC& type);
    void Class(ITypeInfo* coclass);
    void Interface(ITypeInfo* info, const std::wstring& heading);
    void Events(ITypeInfo* info);
    void Enumeration(ITypeInfo* info);
    std::vector<Member> Members(ITypeInfo* info);
    std::wstring Arguments(ITypeInfo* info, const FUNCDESC& func, bool dropValue);
    void Line(const std::wstring& text = L"");

    ITypeLib* library_;
    std::wstring fileName_, libraryName_, out_;
    std::vector<std::wstring> shownInterfaces_;
    std::map<std::wstring, std::wstring> owners_;   // interface -> "Class.Member"; "" for creatable classes
    std::map<std::wstring, std::wstring> classOf_;  // default interface -> its class
    int unnamed_ = 0;
};

}  // namespace vel::reference
