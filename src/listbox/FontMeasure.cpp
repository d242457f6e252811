#include "FontMeasure.h"

#include <wrl/client.h>

#include "Bstr.h"
#include "SelectedObject.h"

namespace vel::roster {

using Microsoft::WRL::ComPtr;

HFONT FontMeasure::Handle(IFontDisp* font) {
    ComPtr<IFont> ole;
    if (!font || FAILED(font->QueryInterface(IID_PPV_ARGS(&ole)))) return nullptr;
    HFONT handle = nullptr;
    return SUCCEEDED(ole->get_hFont(&handle)) ? handle : nullptr;
}

SIZE FontMeasure::Extent(HDC dc, IFontDisp* font, std::wstring_view text) {
    SIZE size{};
    HFONT handle = Handle(font);
    if (!handle) return size;
    drawing::SelectedObject selection(dc, handle);
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

drawing::FontDescription FontMeasure::Describe(HDC dc, IFontDisp* font) {
    drawing::FontDescription description;
    ComPtr<IFont> ole;
    if (!font || FAILED(font->QueryInterface(IID_PPV_ARGS(&ole)))) return description;
    BSTR name = nullptr;
    if (SUCCEEDED(ole->get_Name(&name))) description.faceName = com::Bstr::Attach(name).View();
    // A face name longer than GDI takes is cut to what fits, so that painting goes on.
    if (description.faceName.size() >= LF_FACESIZE) description.faceName.resize(LF_FACESIZE - 1);
    BOOL flag = FALSE;
    if (SUCCEEDED(ole->get_Bold(&flag))) description.bold = flag;
    if (SUCCEEDED(ole->get_Italic(&flag))) description.italic = flag;
    if (SUCCEEDED(ole->get_Underline(&flag))) description.underline = flag;
    if (SUCCEEDED(ole->get_Strikethrough(&flag))) description.strikeout = flag;
    description.height = TextHeight(dc, font, L"O");
    return description;
}

}  // namespace vel::roster
