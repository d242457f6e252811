#pragma once
#include <windows.h>

#include <string>

#include "DialogTemplate.h"

namespace vel::about {

// The About box of a control library: a modal window captioned "About <title>"
// showing the library's title, its version and an OK button. It is built from an
// in-memory dialog template, so it needs no resource and registers no window class.
// OK, Enter, Escape and the close box all close it. While it is shown its owner's
// top-level window is disabled; it is centred on that window.
class AboutBox {
public:
    // Control identifiers inside the box.
    static constexpr WORD kTitleId = 1001;
    static constexpr WORD kVersionId = 1002;
    static constexpr WORD kOkId = IDOK;

    // `module` is the library showing the box; `versionText` is shown as given
    // ("Version 1.0").
    AboutBox(HINSTANCE module, std::wstring title, std::wstring versionText);

    // A box whose version line comes from the module's VERSIONINFO resource (no
    // version line when the module has none).
    static AboutBox WithModuleVersion(HINSTANCE module, std::wstring title);

    // Shows the box and returns once it has been closed. `owner` may be a control's
    // child window, a top-level window or null. False when the box could not be created.
    bool Show(HWND owner) const;

    std::wstring Caption() const;
    const std::wstring& Title() const { return title_; }
    const std::wstring& VersionText() const { return versionText_; }

private:
    // What the dialog procedure needs of the call that showed the box.
    struct ShowState {
        HWND topLevelOwner;
        bool ownerWasEnabled;
    };

    static HWND TopLevelOf(HWND window);
    DialogTemplate BuildTemplate() const;
    short WidthInDialogUnits() const;
    static INT_PTR CALLBACK DialogProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    static bool OnCommand(HWND box, WORD id);
    static void Close(HWND box, WORD id);

    HINSTANCE module_;
    std::wstring title_;
    std::wstring versionText_;
};

}  // namespace vel::about
