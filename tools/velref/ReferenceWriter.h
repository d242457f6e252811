#pragma once
// Writes the member reference of a type library as Markdown: every class with its properties,
// methods and events, the interfaces no class shows by default, and the enumerations.
#include <windows.h>
#include <oaidl.h>
#include <string>
#include <vector>

namespace vel::reference {

class ReferenceWriter {
public:
    ReferenceWriter(ITypeLib* library, std::wstring fileName);
    std::wstring Write();

private:
    struct Member {
        MEMBERID id = 0;
        std::wstring name, help, arguments, type;
        bool property = false, readable = false, writable = false, byReference = false, hidden = false;
    };

    void Library();
    void Class(ITypeInfo* coclass);
    void Interface(ITypeInfo* info, const std::wstring& heading);
    void Events(ITypeInfo* info);
    void Enumeration(ITypeInfo* info);
    std::vector<Member> Members(ITypeInfo* info) const;
    std::wstring Arguments(ITypeInfo* info, const FUNCDESC& func, bool dropValue) const;
    void Line(const std::wstring& text = L"");

    ITypeLib* library_;
    std::wstring fileName_, libraryName_, out_;
    std::vector<std::wstring> shownInterfaces_;
};

}  // namespace vel::reference
