#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace velform {

// One control a form sites: its name, ProgID, place in pixels of its parent,
// and the control it sits in (empty for the form itself).
struct ControlDeclaration {
    std::wstring name;
    std::wstring progId;
    RECT bounds{};
    std::wstring parent;
};

// A form file: VBScript code whose comment lines starting with '@ declare the
// form and its controls:
//   '@form Title="Orders" Width=480 Height=320 Properties=orders.vfp
//   '@control Name ProgID Left Top Width Height [in ParentName]
class FormFile {
public:
    static FormFile Load(const std::wstring& path);
    static FormFile Parse(std::wstring text, std::wstring path = L"");

    const std::wstring& Path() const { return path_; }
    const std::wstring& Code() const { return code_; }
    const std::wstring& Title() const { return title_; }
    // The file of saved properties the controls load at start (empty: they start new).
    std::wstring PropertiesPath() const;
    // A path relative to the form's folder made whole; whole paths stay as they are.
    std::wstring Beside(const std::wstring& path) const;
    SIZE ClientSize() const { return size_; }
    const std::vector<ControlDeclaration>& Controls() const { return controls_; }
    // Every `Sub Test_*` of the code, in the order of the file.
    std::vector<std::wstring> TestNames() const;
    bool HasSub(std::wstring_view name) const;

private:
    void ParseDeclaration(const std::wstring& line, int lineNumber);
    void ParseFormLine(const std::vector<std::wstring>& words, int lineNumber);
    void ParseControlLine(const std::vector<std::wstring>& words, int lineNumber);
    void CheckParents() const;
    std::vector<std::wstring> SubNames() const;

    std::wstring path_;
    std::wstring code_;
    std::wstring title_ = L"Form";
    std::wstring properties_;
    SIZE size_{480, 320};
    std::vector<ControlDeclaration> controls_;
};

}  // namespace velform
