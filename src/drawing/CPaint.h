#pragma once
#include <windows.h>
#include <ocidl.h>

#include <optional>
#include <string_view>

#include "FontDescription.h"
#include "GdiObject.h"
#include "OffscreenSurface.h"
#include "TextAlignment.h"

namespace vel::drawing {

// Flicker-free painting for one control: the control draws a whole frame into an
// off-screen DC of its size and copies it to its window in one block transfer.
// Also offers the small drawing operations the controls need on that DC.
class CPaint {
public:
    CPaint() = default;
    CPaint(const CPaint&) = delete;
    CPaint& operator=(const CPaint&) = delete;

    // The off-screen DC; null before the first GetMemDC and after ReleaseMemDC.
    HDC hDCMem() const { return surface_ ? surface_->DC() : nullptr; }

    // Replaces the off-screen DC by a new one with a bitmap of lWidth x lHeight,
    // both compatible with hDCUserControl. With bInitBackground the bitmap is
    // filled with hDCUserControl's background colour, otherwise its content is undefined.
    HDC GetMemDC(HDC hDCUserControl, long lWidth, long lHeight, bool bInitBackground = false);
    // Copies the top-left lWidth x lHeight of the off-screen bitmap to (0, 0) of hDCUserControl.
    void BltMemDC(HDC hDCUserControl, long lWidth, long lHeight) const;
    // Frees the off-screen DC and its bitmap. Safe to call any number of times.
    void ReleaseMemDC() { surface_.reset(); }

    // Fills (lLeft, lTop, lLeft + lWidth, lTop + lHeight) of hdc with vBackColor (an
    // OLE colour), or with hdc's current background colour when it is absent. hdc's
    // background colour is left as it was. Raises error 6 when a coordinate overflows.
    static void DrawBackground(HDC hdc, long lLeft = 0, long lTop = 0, long lWidth = 0, long lHeight = 0,
                               std::optional<OLE_COLOR> vBackColor = std::nullopt);

    // An OLE colour as RGB: a value with the high bit set names a system colour.
    static COLORREF TranslateColor(OLE_COLOR colour);
    // A font for `font`. Raises error 9 when the face name does not fit LOGFONT's
    // face-name field (31 characters).
    static OwnedFont CreateLogFont(const FontDescription& font);
    // Draws `text` into `rect` of dc, padded with two spaces on the side it is
    // aligned to. DT_RIGHT or DT_CENTER is added to `format` for right and centred text.
    static void DrawTextAligned(HDC dc, std::wstring_view text, RECT& rect, UINT& format, TextAlignment alignment);
    // Draws `text` into `rect` of the off-screen DC with a temporary font, a transparent
    // background and, when given, these RGB colours; every setting of the DC is put back.
    void DrawTextWithFont(std::wstring_view text, const FontDescription& font, const RECT& rect, UINT format,
                          TextAlignment alignment, std::optional<COLORREF> backColor = std::nullopt,
                          std::optional<COLORREF> foreColor = std::nullopt);

private:
    std::optional<OffscreenSurface> surface_;
};

}  // namespace vel::drawing
