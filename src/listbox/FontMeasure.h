#pragma once
#include <windows.h>
#include <ocidl.h>

#include <string_view>

#include "FontDescription.h"

namespace vel::roster {

// Text measurement with a standard font object, on any DC: the font is selected for
// the measurement only and the DC's own font comes back afterwards.
class FontMeasure {
public:
    // The font's GDI handle, owned by the font object; null for none.
    static HFONT Handle(IFontDisp* font);
    static SIZE Extent(HDC dc, IFontDisp* font, std::wstring_view text);
    static long TextHeight(HDC dc, IFontDisp* font, std::wstring_view text) { return Extent(dc, font, text).cy; }
    // What CPaint's text drawing needs: face, style and the height of "O" as cell height.
    static drawing::FontDescription Describe(HDC dc, IFontDisp* font);
};

}  // namespace vel::roster
