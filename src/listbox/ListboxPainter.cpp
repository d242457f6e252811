#include "ListboxPainter.h"

#include <algorithm>

#include "CDrawRect.h"
#include "DCAttribute.h"
#include "FontMeasure.h"
#include "SelectedObject.h"
#include "VelColumnHeaders.h"
#include "VelListItems.h"

namespace vel::roster {
namespace {

using drawing::CPaint;
using drawing::Rect3DStyle;
using drawing::TextAlignment;

constexpr OLE_COLOR kHighlight = 0x8000000D;
constexpr OLE_COLOR kHighlightText = 0x8000000E;
constexpr OLE_COLOR kButtonFace = 0x8000000F;
constexpr UINT kHeaderFormat = DT_SINGLELINE | DT_VCENTER | DT_WORD_ELLIPSIS;  // 0x40024
constexpr UINT kCellFormat = DT_SINGLELINE | DT_WORD_ELLIPSIS;                  // 0x40020
constexpr long kShortTextMargin = 8;

// Fills a rectangle with a colour through an opaque, clipped empty text output,
// leaving the DC's background colour as it was.
void FillOpaque(HDC dc, const RECT& rect, OLE_COLOR color) {
    drawing::BkColorSetting background(dc, CPaint::TranslateColor(color));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &rect, L"", 0, nullptr);
}

// A focus rectangle, drawn in `color`.
void DrawFocus(HDC dc, const RECT& rect, COLORREF color) {
    drawing::TextColorSetting text(dc, color);
    DrawFocusRect(dc, &rect);
}

TextAlignment AlignmentOf(const VelColumnHeader& column) {
    return static_cast<TextAlignment>(column.AlignmentValue());
}

const VelColumnHeader* FirstVisibleColumn(const VelColumnHeaders& columns) {
    for (auto& column : columns.All())
        if (column->IsVisible()) return column.Get();
    return nullptr;
}

// The text a row shows in a column: its Text in the first column, else its sub-item.
std::wstring_view CellText(const VelListItem& row, const VelColumnHeader& column) {
    long subItem = column.IndexValue() - 1;
    if (subItem == 0) return row.TextValue().View();
    if (subItem < 1 || subItem > row.SubItemCount()) return {};
    return row.SubItemText(subItem).View();
}

}  // namespace

void ListboxPainter::Paint(HDC target, const ListboxView& view, PaintPart part) {
    bool all = part == PaintPart::All;
    HDC dc = all ? paint_.GetMemDC(target, view.width, view.height, false) : paint_.hDCMem();
    if (!dc) return;
    bool rows = part != PaintPart::Headers, headers = part != PaintPart::Items;
    if (rows) FillRowArea(dc, view);
    if (view.userMode && rows) DrawRows(dc, view);
    if (!view.userMode && view.columns->Count() == 0 && view.items->Count() == 0) {
        FillRowArea(dc, view);
        DrawPlaceholder(dc, view);
    }
    if (view.showHeaders && headers) DrawHeaders(dc, view);
    DrawBorder(dc, view);
    if (view.cornerSquare) DrawCorner(dc, view);
    paint_.BltMemDC(target, view.width, view.height);
}

void ListboxPainter::FillRowArea(HDC dc, const ListboxView& view) const {
    long b = view.border;
    long top = view.columns->Count() == 0 ? b : b + view.headerHeight;
    CPaint::DrawBackground(dc, b, top, view.width - b, view.height - b - top, view.backColor);
}

// The control's name at the top left, as a designer shows an empty control.
void ListboxPainter::DrawPlaceholder(HDC dc, const ListboxView& view) const {
    HFONT font = FontMeasure::Handle(view.font);
    if (!font) return;
    drawing::SelectedObject selection(dc, font);
    SIZE name{}, letter{};
    GetTextExtentPoint32W(dc, view.displayName.c_str(), static_cast<int>(view.displayName.size()), &name);
    GetTextExtentPoint32W(dc, L"O", 1, &letter);
    long b = view.border;
    RECT rect{b, b, b + 2 + name.cx, b + 4 + letter.cy};
    drawing::BkModeSetting transparent(dc, TRANSPARENT);
    drawing::TextColorSetting color(dc, CPaint::TranslateColor(view.foreColor));
    DrawTextW(dc, view.displayName.c_str(), static_cast<int>(view.displayName.size()), &rect,
              DT_SINGLELINE | DT_VCENTER);
}

// The right limit beyond which no column starts in view.
long ListboxPainter::VisibleRight(const ListboxView& view) const {
    return view.vBarVisible ? view.width - view.border - view.vBarWidth : view.width - 2 * view.border;
}

void ListboxPainter::DrawHeaders(HDC dc, const ListboxView& view) {
    if (view.columns->Count() == 0) return;
    long b = view.border, offset = view.horizontalOffset, limit = VisibleRight(view);
    FillOpaque(dc, RECT{b, b, view.width - b, b + view.headerHeight}, kButtonFace);
    auto font = FontMeasure::Describe(dc, view.headerFont);
    COLORREF fore = CPaint::TranslateColor(view.headerForeColor);
    long x = b;
    for (auto& column : view.columns->All()) {
        if (limit < x - offset) break;
        if (!column->IsVisible()) continue;
        long width = column->GetInternalWidth();
        bool pressed = column.Get() == view.pressedColumn && column->GetDrawState() == 0;
        long left = x - offset + (pressed ? 1 : 0), top = b + (pressed ? 1 : 0);
        RECT text{left, top, left + width, top + view.headerHeight};
        paint_.DrawTextWithFont(column->TextValue().View(), font, text, kHeaderFormat, AlignmentOf(*column.Get()),
                                std::nullopt, fore);
        drawing::CDrawRect::Draw3DRect(dc, x - offset, b, width, view.headerHeight,
                                       pressed ? Rect3DStyle::Pressed : Rect3DStyle::Raised);
        x += width;
    }
    long left = x - offset, rest = view.width - (b + left);
    if (rest >= 1) drawing::CDrawRect::Draw3DRect(dc, left, b, rest, view.headerHeight, Rect3DStyle::Raised);
}

// Left and right of a row's highlight; false when list-view style has no visible column.
bool ListboxPainter::HighlightEdges(HDC dc, const ListboxView& view, const VelListItem& row, long& left,
                                    long& right) const {
    long b = view.border, offset = view.horizontalOffset;
    left = b - offset;
    if (view.selectionType != 1) {
        // The highlight reaches the right edge of the view however far it is scrolled.
        right = view.vBarVisible ? view.vBarLeft : view.width - b;
        return true;
    }
    const VelColumnHeader* first = FirstVisibleColumn(*view.columns);
    if (!first) return false;
    long width = first->GetInternalWidth();
    right = left + width;
    if (first->AlignmentValue() == 0) {
        long text = FontMeasure::Extent(dc, view.font, row.TextValue().View()).cx;
        if (width - text > kShortTextMargin) right = left + text + kShortTextMargin;
    }
    return true;
}

void ListboxPainter::DrawRows(HDC dc, const ListboxView& view) {
    const VelListItems& items = *view.items;
    long count = items.Count(), rowHeight = view.rowHeight;
    if (count == 0 || rowHeight <= 0) return;
    long b = view.border, areaTop = b + view.headerHeight;
    long left = 0, right = 0;
    // Only while row 1 is in view: scrolled away, its rectangle would land on the header band.
    if (!view.selectedItem && view.hasFocus && view.verticalOffset <= 0 &&
        HighlightEdges(dc, view, *items.At(1), left, right)) {
        RECT focus{left, areaTop - view.verticalOffset, right, areaTop - view.verticalOffset + rowHeight};
        DrawFocus(dc, focus, CPaint::TranslateColor(view.foreColor));
    }
    // The first row whose nominal top is at or below the top of the row area.
    long long scrolled = std::max(view.verticalOffset, 0L);
    long first = static_cast<long>((scrolled + rowHeight - 1) / rowHeight) + 1;
    long bottom = view.hBarVisible ? view.height - b - view.hBarHeight : view.height - b + 1;
    COLORREF highlightText = CPaint::TranslateColor(kHighlightText);
    auto font = FontMeasure::Describe(dc, view.font);
    for (long i = first, y = areaTop; i <= count && y + rowHeight <= bottom; ++i, y += rowHeight) {
        const VelListItem& row = *items.At(i);
        bool highlighted = view.multiSelect ? row.IsSelected() : &row == view.selectedItem;
        if (!HighlightEdges(dc, view, row, left, right)) return;
        if (highlighted) {
            RECT rect{left, y, right, y + rowHeight};
            FillOpaque(dc, rect, kHighlight);
            if (&row == view.selectedItem && view.hasFocus) DrawFocus(dc, rect, highlightText);
        }
        DrawCells(view, font, row, y, highlightText, highlighted);
    }
}

void ListboxPainter::DrawCells(const ListboxView& view, const drawing::FontDescription& font, const VelListItem& row,
                               long y, COLORREF highlightText, bool highlighted) {
    COLORREF fore = CPaint::TranslateColor(view.foreColor);
    COLORREF color = highlighted ? highlightText : fore;
    long offset = view.horizontalOffset, limit = VisibleRight(view), x = view.border;
    for (auto& column : view.columns->All()) {
        if (limit < x - offset) break;
        if (!column->IsVisible()) continue;
        long width = column->GetInternalWidth();
        if (x + width - offset >= 1) {
            RECT rect{x - offset, y, x - offset + width, y + view.rowHeight};
            paint_.DrawTextWithFont(CellText(row, *column.Get()), font, rect, kCellFormat, AlignmentOf(*column.Get()), std::nullopt,
                                    color);
        }
        // In list-view style only the first cell shows the highlight text colour.
        if (view.selectionType == 1 && column->IndexValue() == 1) color = fore;
        x += width;
    }
}

void ListboxPainter::DrawBorder(HDC dc, const ListboxView& view) const {
    if (view.borderStyle != 1) return;
    drawing::CDrawRect::Draw3DRect(dc, 0, 0, view.width, view.height,
                                   view.appearance == 1 ? Rect3DStyle::Sunken : Rect3DStyle::Flat);
}

void ListboxPainter::DrawCorner(HDC dc, const ListboxView& view) const {
    RECT square{view.vBarLeft, view.hBarTop, view.width - view.border, view.height - view.border};
    if (view.sizeGrip)
        DrawFrameControl(dc, &square, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    else
        FillOpaque(dc, square, kButtonFace);
}

}  // namespace vel::roster
