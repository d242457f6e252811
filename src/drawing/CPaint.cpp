#include "CPaint.h"

#include <string>

#include "AutomationError.h"
#include "Checked.h"
#include "DCAttribute.h"
#include "SelectedObject.h"

namespace vel::drawing {

namespace {

constexpr OLE_COLOR kSystemColourFlag = 0x80000000;
constexpr std::wstring_view kPadding = L"  ";

std::wstring PaddedText(std::wstring_view text, TextAlignment alignment) {
    std::wstring padded;
    padded.reserve(text.size() + kPadding.size());
    if (alignment == TextAlignment::Left) padded.append(kPadding);
    padded.append(text);
    if (alignment == TextAlignment::Right) padded.append(kPadding);
    return padded;
}

UINT AlignmentFlag(TextAlignment alignment) {
    switch (alignment) {
        case TextAlignment::Left: return 0;
        case TextAlignment::Right: return DT_RIGHT;
        default: return DT_CENTER;
    }
}

}  // namespace

HDC CPaint::GetMemDC(HDC hDCUserControl, long lWidth, long lHeight, bool bInitBackground) {
    ReleaseMemDC();
    surface_.emplace(hDCUserControl, lWidth, lHeight);
    if (bInitBackground) DrawBackground(hDCMem(), 0, 0, lWidth, lHeight, GetBkColor(hDCUserControl));
    return hDCMem();
}

void CPaint::BltMemDC(HDC hDCUserControl, long lWidth, long lHeight) const {
    if (!surface_) return;
    BitBlt(hDCUserControl, 0, 0, lWidth, lHeight, hDCMem(), 0, 0, SRCCOPY);
}

void CPaint::DrawBackground(HDC hdc, long lLeft, long lTop, long lWidth, long lHeight,
                            std::optional<OLE_COLOR> vBackColor) {
    const RECT area{lLeft, lTop, com::Add32(lLeft, lWidth), com::Add32(lTop, lHeight)};
    const COLORREF colour = vBackColor ? TranslateColor(*vBackColor) : GetBkColor(hdc);
    // An opaque text output of nothing fills the rectangle without creating a brush.
    BkColorSetting fill(hdc, colour);
    ExtTextOutW(hdc, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &area, L"", 0, nullptr);
}

COLORREF CPaint::TranslateColor(OLE_COLOR colour) {
    if (colour & kSystemColourFlag) return GetSysColor(static_cast<int>(colour & 0xFFFFFF));
    return colour;
}

OwnedFont CPaint::CreateLogFont(const FontDescription& font) {
    LOGFONTW description{};
    if (font.faceName.size() >= LF_FACESIZE) com::Raise(com::StandardError::SubscriptOutOfRange);
    font.faceName.copy(description.lfFaceName, font.faceName.size());
    description.lfHeight = font.height;
    description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    description.lfItalic = font.italic;
    description.lfUnderline = font.underline;
    description.lfStrikeOut = font.strikeout;
    description.lfCharSet = DEFAULT_CHARSET;
    return OwnedFont(CreateFontIndirectW(&description));
}

void CPaint::DrawTextAligned(HDC dc, std::wstring_view text, RECT& rect, UINT& format, TextAlignment alignment) {
    format |= AlignmentFlag(alignment);
    const std::wstring padded = PaddedText(text, alignment);
    DrawTextW(dc, padded.c_str(), static_cast<int>(padded.size()), &rect, format);
}

void CPaint::DrawTextWithFont(std::wstring_view text, const FontDescription& font, const RECT& rect, UINT format,
                              TextAlignment alignment, std::optional<COLORREF> backColor,
                              std::optional<COLORREF> foreColor) {
    HDC dc = hDCMem();
    OwnedFont temporaryFont = CreateLogFont(font);
    // Restored in reverse order of declaration: font, text colour, background colour, mode.
    BkModeSetting transparent(dc, TRANSPARENT);
    std::optional<BkColorSetting> back;
    if (backColor) back.emplace(dc, *backColor);
    std::optional<TextColorSetting> fore;
    if (foreColor) fore.emplace(dc, *foreColor);
    SelectedObject fontSelection(dc, temporaryFont.Get());

    RECT bounds = rect;
    DrawTextAligned(dc, text, bounds, format, alignment);
}

}  // namespace vel::drawing
