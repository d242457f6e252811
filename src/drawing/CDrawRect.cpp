#include "CDrawRect.h"

#include <array>
#include <optional>
#include <vector>

#include "Checked.h"
#include "GdiObject.h"
#include "SavedDCState.h"
#include "SelectedObject.h"

namespace vel::drawing {

namespace {

enum class Tone { Shadow, Highlight, DarkShadow, Light, Face, Back, Black };

// The four pens of a frame, in the order of PenRole.
enum PenRole { OuterTopLeft, OuterBottomRight, InnerTopLeft, InnerBottomRight };
using FrameTones = std::array<Tone, 4>;

constexpr std::array<FrameTones, 11> kStyleTones{{
    {Tone::Shadow, Tone::Highlight, Tone::DarkShadow, Tone::Light},    // Sunken
    {Tone::Highlight, Tone::DarkShadow, Tone::Light, Tone::Shadow},    // Raised
    {Tone::Shadow, Tone::Shadow, Tone::Light, Tone::Light},            // Pressed
    {Tone::Black, Tone::Black, Tone::Back, Tone::Back},                // Flat
    {Tone::Highlight, Tone::DarkShadow, Tone::Light, Tone::Shadow},    // RaisedOuter
    {Tone::DarkShadow, Tone::Highlight, Tone::Light, Tone::Shadow},    // SunkenOuter
    {Tone::Back, Tone::Back, Tone::Back, Tone::Back},                  // Erase
    {Tone::Highlight, Tone::Shadow, Tone::Light, Tone::Shadow},        // RaisedInner
    {Tone::Shadow, Tone::Highlight, Tone::Light, Tone::Highlight},     // SunkenInner
    {Tone::Highlight, Tone::Shadow, Tone::Light, Tone::Shadow},        // VerticalSeparator
    {Tone::Highlight, Tone::Shadow, Tone::Light, Tone::Shadow},        // HorizontalSeparator
}};

COLORREF ColourOf(Tone tone, HDC dc) {
    switch (tone) {
        case Tone::Shadow: return GetSysColor(COLOR_BTNSHADOW);
        case Tone::Highlight: return GetSysColor(COLOR_BTNHIGHLIGHT);
        case Tone::DarkShadow: return GetSysColor(COLOR_3DDKSHADOW);
        case Tone::Light: return GetSysColor(COLOR_3DLIGHT);
        case Tone::Face: return GetSysColor(COLOR_BTNFACE);
        case Tone::Back: return GetBkColor(dc);
        case Tone::Black: break;
    }
    return RGB(0, 0, 0);
}

OwnedPen CreateLinePen(Tone tone, HDC dc) { return OwnedPen(CreatePen(PS_SOLID, 1, ColourOf(tone, dc))); }

// A line through `points` with one pen; each segment covers its start, not its end.
struct Stroke {
    PenRole pen;
    std::vector<POINT> points;
};

POINT At(long long x, long long y) { return {com::Fit32(x), com::Fit32(y)}; }

void AddRings(std::vector<Stroke>& strokes, long long l, long long t, long long w, long long h, bool inner) {
    const long long outerTopStart = w < 2 ? l + w : l + w - 2;
    strokes.push_back({OuterTopLeft, {At(outerTopStart, t), At(l, t), At(l, t + h - 1)}});
    strokes.push_back({OuterBottomRight, {At(l, t + h - 1), At(l + w - 1, t + h - 1), At(l + w - 1, t - 1)}});
    if (!inner) return;
    const long long innerTopStart = w < 3 ? l + w : l + w - 3;
    const long long innerRight = w < 2 ? l + w : l + w - 2;
    strokes.push_back({InnerTopLeft, {At(innerTopStart, t + 1), At(l + 1, t + 1), At(l + 1, t + h - 2)}});
    strokes.push_back({InnerBottomRight, {At(l + 1, t + h - 2), At(innerRight, t + h - 2), At(innerRight, t)}});
}

// Every coordinate is computed (and checked for overflow) before the DC is touched.
std::vector<Stroke> StrokesFor(Rect3DStyle style, long long l, long long t, long long w, long long h) {
    std::vector<Stroke> strokes;
    switch (style) {
        case Rect3DStyle::VerticalSeparator:
            strokes.push_back({OuterBottomRight, {At(l, t + h), At(l, t)}});
            strokes.push_back({OuterTopLeft, {At(l + 1, t + h), At(l + 1, t)}});
            break;
        case Rect3DStyle::HorizontalSeparator:
            strokes.push_back({OuterBottomRight, {At(l + w, t), At(l, t)}});
            strokes.push_back({OuterTopLeft, {At(l + w, t + 1), At(l, t + 1)}});
            break;
        default: {
            const bool twoRings = style == Rect3DStyle::Sunken || style == Rect3DStyle::Raised ||
                                  style == Rect3DStyle::Pressed;
            AddRings(strokes, l, t, w, h, twoRings);
        }
    }
    return strokes;
}

void DrawStroke(HDC dc, const std::vector<POINT>& points) {
    MoveToEx(dc, points.front().x, points.front().y, nullptr);
    for (size_t i = 1; i < points.size(); ++i) LineTo(dc, points[i].x, points[i].y);
}

std::optional<FrameTones> TonesOf(Rect3DStyle style) {
    const auto index = static_cast<long>(style);
    if (index < 0 || index >= static_cast<long>(kStyleTones.size())) return std::nullopt;
    return kStyleTones[static_cast<size_t>(index)];
}

// The pens of a splitter bar, and which one draws each of its lines.
enum SplitterPen { FirstLine, MiddleLine, LastLine };

SplitterPen SplitterPenFor(long line, long size) {
    if (line == 0) return FirstLine;
    return line == size - 1 ? LastLine : MiddleLine;
}

}  // namespace

void CDrawRect::Draw3DRect(HDC hDCDest, long lLeft, long lTop, long lWidth, long lHeight, Rect3DStyle style) {
    const std::optional<FrameTones> tones = TonesOf(style);
    if (!tones) return;
    const std::vector<Stroke> strokes = StrokesFor(style, lLeft, lTop, lWidth, lHeight);

    SavedDCState savedState(hDCDest);
    std::array<OwnedPen, 4> pens;
    for (size_t role = 0; role < pens.size(); ++role) pens[role] = CreateLinePen((*tones)[role], hDCDest);
    SelectedObject penSelection(hDCDest, nullptr);
    for (const Stroke& stroke : strokes) {
        penSelection.Select(pens[stroke.pen].Get());
        DrawStroke(hDCDest, stroke.points);
    }
}

void CDrawRect::DrawRoundSplitter(HDC hdc, short eOrientation, long lSplitterSize, short iOffset, long lLeft,
                                  long lTop, long lWidth, long lHeight) {
    const std::array<OwnedPen, 3> pens{CreateLinePen(Tone::Highlight, hdc), CreateLinePen(Tone::Face, hdc),
                                       CreateLinePen(Tone::Shadow, hdc)};
    SelectedObject penSelection(hdc, nullptr);
    const long long l = lLeft, t = lTop, w = lWidth, h = lHeight, offset = iOffset;
    for (long line = 0; line < lSplitterSize; ++line) {
        penSelection.Select(pens[SplitterPenFor(line, lSplitterSize)].Get());
        if (eOrientation != 0)
            DrawStroke(hdc, {At(offset + w, t + h + line), At(offset, t + h + line)});
        else
            DrawStroke(hdc, {At(l + w + line, offset + h), At(l + w + line, offset)});
    }
}

}  // namespace vel::drawing
