#pragma once
#include <windows.h>
#include <commdlg.h>

#include <string>

namespace vel::notifier {

// The system's file-open dialog behind a set of properties that fill its record.
// FileName is the dialog's starting name and, after a choice, the file chosen; it is
// kept from one use to the next.
class CCommonDialog {
public:
    HWND hwndOwner = nullptr;
    HINSTANCE Instance = nullptr;
    // Pairs of description and pattern, each followed by a NUL, the whole by another NUL.
    std::wstring Filter;
    std::wstring CustomFilter;
    DWORD MaxCustFilter = 0;
    DWORD FilterIndex = 0;
    std::wstring FileName;
    DWORD MaxFile = 0;  // 0 means 255
    std::wstring FileTitle;
    DWORD MaxFileTitle = 0;
    std::wstring InitialDir;
    std::wstring Title;
    DWORD Flags = 0;
    WORD FileOffset = 0;
    WORD FileExtension = 0;
    std::wstring DefExt;
    LPARAM CustData = 0;
    LPOFNHOOKPROC Hook = nullptr;
    std::wstring TemplateName;

    // The extended error of the last ShowOpen; 0 for none or a cancelled dialog.
    DWORD Error() const { return error_; }
    // Shows the dialog; true when a file was chosen (FileName then names it).
    bool ShowOpen();

private:
    DWORD error_ = 0;
};

}  // namespace vel::notifier
