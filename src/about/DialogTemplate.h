#pragma once
#include <windows.h>

#include <string_view>
#include <vector>

namespace vel::about {

// Position and size of a dialog or of one of its controls, in dialog units.
struct DialogUnits {
    short x = 0;
    short y = 0;
    short width = 0;
    short height = 0;
};

// Builds a DLGTEMPLATE in memory, header first and then one item per control, for
// DialogBoxIndirectParam. The dialog always carries DS_SETFONT and names its font.
// Items may only use the predefined control classes (button, static, ...).
class DialogTemplate {
public:
    // Atoms of the predefined classes, as a template names them.
    static constexpr WORD kButtonClass = 0x0080;
    static constexpr WORD kStaticClass = 0x0082;

    DialogTemplate(DWORD style, std::wstring_view caption, DialogUnits bounds, std::wstring_view fontName,
                   WORD pointSize);

    void AddControl(WORD id, WORD predefinedClass, DWORD style, std::wstring_view text, DialogUnits bounds);

    // Valid until the next AddControl.
    const DLGTEMPLATE* Get() const;
    WORD ControlCount() const;

private:
    void AppendDword(DWORD value);
    void AppendWord(WORD value);
    void AppendString(std::wstring_view text);
    void AppendBounds(DialogUnits bounds);
    void AlignToDword();

    std::vector<WORD> words_;
};

}  // namespace vel::about
