#include "DialogTemplate.h"

namespace vel::about {

namespace {

// Word offset of the item count in the header (after style and extended style).
constexpr size_t kCountOffset = 4;

}  // namespace

DialogTemplate::DialogTemplate(DWORD style, std::wstring_view caption, DialogUnits bounds,
                               std::wstring_view fontName, WORD pointSize) {
    AppendDword(style | DS_SETFONT);
    AppendDword(0);  // extended style
    AppendWord(0);   // item count, raised by AddControl
    AppendBounds(bounds);
    AppendWord(0);  // no menu
    AppendWord(0);  // the predefined dialog class
    AppendString(caption);
    AppendWord(pointSize);
    AppendString(fontName);
}

void DialogTemplate::AddControl(WORD id, WORD predefinedClass, DWORD style, std::wstring_view text,
                                DialogUnits bounds) {
    AlignToDword();
    AppendDword(style | WS_CHILD | WS_VISIBLE);
    AppendDword(0);  // extended style
    AppendBounds(bounds);
    AppendWord(id);
    AppendWord(0xFFFF);  // the class follows as an atom
    AppendWord(predefinedClass);
    AppendString(text);
    AppendWord(0);  // no creation data
    ++words_[kCountOffset];
}

const DLGTEMPLATE* DialogTemplate::Get() const {
    // The vector's storage comes from operator new, which aligns far beyond a DWORD,
    // and every item starts on an even word offset.
    return reinterpret_cast<const DLGTEMPLATE*>(words_.data());
}

WORD DialogTemplate::ControlCount() const { return words_[kCountOffset]; }

void DialogTemplate::AppendDword(DWORD value) {
    AppendWord(LOWORD(value));
    AppendWord(HIWORD(value));
}

void DialogTemplate::AppendWord(WORD value) { words_.push_back(value); }

void DialogTemplate::AppendString(std::wstring_view text) {
    for (wchar_t c : text) AppendWord(static_cast<WORD>(c));
    AppendWord(0);
}

void DialogTemplate::AppendBounds(DialogUnits bounds) {
    AppendWord(static_cast<WORD>(bounds.x));
    AppendWord(static_cast<WORD>(bounds.y));
    AppendWord(static_cast<WORD>(bounds.width));
    AppendWord(static_cast<WORD>(bounds.height));
}

void DialogTemplate::AlignToDword() {
    if (words_.size() % 2 != 0) AppendWord(0);
}

}  // namespace vel::about
