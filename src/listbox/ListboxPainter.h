#pragma once
#include <windows.h>

#include "CPaint.h"
#include "ListboxView.h"

namespace vel::roster {

// Repaint part codes.
enum class PaintPart : unsigned char { Headers = 1, Items = 2, All = 3 };

// Draws the list box into the off-screen DC of a CPaint and copies it to the window:
// row area, rows with their highlight and focus rectangle, header band, border and
// the corner between the scroll bars. Only the rows and columns in view are visited;
// the first row in view is found by arithmetic, not by walking the rows above it.
class ListboxPainter {
public:
    explicit ListboxPainter(drawing::CPaint& paint) : paint_(paint) {}

    // Part All makes a new off-screen bitmap of the view's size; the other parts draw
    // on the existing one, which must match the view's size.
    void Paint(HDC target, const ListboxView& view, PaintPart part);

private:
    void FillRowArea(HDC dc, const ListboxView& view) const;
    void DrawPlaceholder(HDC dc, const ListboxView& view) const;
    void DrawHeaders(HDC dc, const ListboxView& view);
    void DrawRows(HDC dc, const ListboxView& view);
    bool HighlightEdges(HDC dc, const ListboxView& view, const VelListItem& row, long& left, long& right) const;
    void DrawCells(const ListboxView& view, const drawing::FontDescription& font, const VelListItem& row, long y,
                   COLORREF highlightText, bool highlighted);
    void DrawBorder(HDC dc, const ListboxView& view) const;
    void DrawCorner(HDC dc, const ListboxView& view) const;
    long VisibleRight(const ListboxView& view) const;

    drawing::CPaint& paint_;
};

}  // namespace vel::roster
