#include "CCommonDialog.h"

#include <commdlg.h>

#include <vector>

namespace vel::notifier {
namespace {

const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

bool CCommonDialog::ShowOpen() {
    if (MaxFile == 0) MaxFile = 255;
    error_ = 0;
    // The name buffer: the starting name and a NUL, padded with blanks. A starting
    // name longer than the buffer is cut so that its NUL still fits.
    std::vector<wchar_t> file(MaxFile + 1, L' ');
    size_t kept = FileName.size() < MaxFile ? FileName.size() : MaxFile;
    std::copy(FileName.begin(), FileName.begin() + static_cast<ptrdiff_t>(kept), file.begin());
    file[kept] = L'\0';
    std::vector<wchar_t> title(MaxFileTitle + 1, L' ');
    title[0] = L'\0';
    std::vector<wchar_t> custom(CustomFilter.begin(), CustomFilter.end());
    custom.resize(MaxCustFilter > custom.size() ? MaxCustFilter : custom.size() + 1, L'\0');

    OPENFILENAMEW record{};
    record.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    record.hwndOwner = hwndOwner;
    record.hInstance = Instance;
    record.lpstrFilter = Filter.empty() ? nullptr : Filter.c_str();
    record.lpstrCustomFilter = CustomFilter.empty() ? nullptr : custom.data();
    record.nMaxCustFilter = CustomFilter.empty() ? 0 : static_cast<DWORD>(custom.size());
    record.nFilterIndex = FilterIndex;
    record.lpstrFile = file.data();
    record.nMaxFile = static_cast<DWORD>(file.size());
    record.lpstrFileTitle = MaxFileTitle ? title.data() : nullptr;
    record.nMaxFileTitle = MaxFileTitle ? static_cast<DWORD>(title.size()) : 0;
    record.lpstrInitialDir = OrNull(InitialDir);
    record.lpstrTitle = OrNull(Title);
    record.Flags = Flags;
    record.nFileOffset = FileOffset;
    record.nFileExtension = FileExtension;
    record.lpstrDefExt = OrNull(DefExt);
    record.lCustData = CustData;
    record.lpfnHook = Hook;
    record.lpTemplateName = OrNull(TemplateName);

    if (GetOpenFileNameW(&record)) {
        FileName.assign(file.data());
        return true;
    }
    error_ = CommDlgExtendedError();
    return false;
}

}  // namespace vel::notifier
