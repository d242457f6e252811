#include "BenchChart.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "GdiObject.h"
#include "OwnedDC.h"
#include "SelectedObject.h"

namespace vel::bench {

namespace {

constexpr int kColumns = 4, kPanelWidth = 330, kPanelHeight = 230, kLegendHeight = 40;
constexpr COLORREF kSideColors[] = {RGB(20, 90, 210), RGB(210, 40, 40), RGB(30, 150, 60), RGB(140, 80, 160)};

std::string RowsLabel(double rows) {
    if (rows >= 1e6) return std::to_string(static_cast<long>(rows / 1e6)) + "M";
    if (rows >= 1e3) return std::to_string(static_cast<long>(rows / 1e3)) + "k";
    return std::to_string(static_cast<long>(rows));
}

// A time in microseconds as one short label: 10 us, 1 ms, 100 s.
std::string TimeLabel(double us) {
    char text[32];
    if (us >= 1e6) std::snprintf(text, sizeof text, "%g s", us / 1e6);
    else if (us >= 1e3) std::snprintf(text, sizeof text, "%g ms", us / 1e3);
    else std::snprintf(text, sizeof text, "%g us", us);
    return text;
}

void Text(HDC dc, int x, int y, const std::string& text, UINT align = TA_LEFT) {
    SetTextAlign(dc, align | TA_TOP);
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

bool WriteBmp(const std::wstring& path, const BITMAPINFOHEADER& header, const void* bits) {
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out) return false;
    bool written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&header, sizeof header, 1, out) == 1 &&
                   std::fwrite(bits, header.biSizeImage, 1, out) == 1;
    return std::fclose(out) == 0 && written;
}

}  // namespace

bool BenchChart::Save(const std::wstring& path, const std::string& title) const {
    std::vector<int> lines;
    for (int l = 0; l < static_cast<int>(results_.Lines().size()); ++l)
        if (results_.Lines()[l].timed) lines.push_back(l);
    int rows = (static_cast<int>(lines.size()) + kColumns - 1) / kColumns;
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER)};
    header.biWidth = kColumns * kPanelWidth;
    header.biHeight = kLegendHeight + rows * kPanelHeight;  // bottom-up, as a BMP file stores it
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(header.biWidth * header.biHeight * 4);
    void* bits = nullptr;
    drawing::OwnedBitmap bitmap(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                                 &bits, nullptr, 0));
    drawing::OwnedDC dc = drawing::OwnedDC::CompatibleWith(nullptr);
    if (!bitmap || !dc) return false;
    {
        drawing::SelectedObject selected(dc.Get(), bitmap.Get());
        drawing::SelectedObject font(dc.Get(), GetStockObject(DEFAULT_GUI_FONT));
        RECT all{0, 0, header.biWidth, header.biHeight};
        FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(dc.Get(), TRANSPARENT);
        DrawLegend(dc.Get(), 10, 8, title);
        for (size_t i = 0; i < lines.size(); ++i)
            DrawPanel(dc.Get(),
                      {static_cast<int>(i % kColumns) * kPanelWidth,
                       kLegendHeight + static_cast<int>(i / kColumns) * kPanelHeight, kPanelWidth, kPanelHeight},
                      lines[i]);
        GdiFlush();
    }
    return WriteBmp(path, header, bits);
}

void BenchChart::DrawLegend(HDC dc, int left, int top, const std::string& title) const {
    SetTextColor(dc, RGB(0, 0, 0));
    Text(dc, left, top, title);
    int x = left;
    for (size_t s = 0; s < results_.Sides().size(); ++s) {
        drawing::OwnedBrush brush(CreateSolidBrush(kSideColors[s % 4]));
        RECT swatch{x, top + 20, x + 24, top + 28};
        FillRect(dc, &swatch, brush.Get());
        Text(dc, x + 30, top + 17, results_.Sides()[s]);
        x += 40 + 8 * static_cast<int>(results_.Sides()[s].size());
    }
}

// One line's medians of every side, both axes in decades.
void BenchChart::DrawPanel(HDC dc, const Panel& panel, int line) const {
    const auto& sizes = results_.Sizes();
    double low = 1e300, high = 0;
    for (size_t s = 0; s < results_.Sides().size(); ++s)
        for (int z = 0; z < static_cast<int>(sizes.size()); ++z)
            if (results_.Has(line, static_cast<int>(s), z)) {
                double v = std::max(results_.Median(line, static_cast<int>(s), z), 1e-3);
                low = std::min(low, v);
                high = std::max(high, v);
            }
    SetTextColor(dc, RGB(0, 0, 0));
    Text(dc, panel.left + panel.width / 2, panel.top + 4, results_.Lines()[line].name + " (" +
                                                              results_.Lines()[line].unit + ")", TA_CENTER);
    if (high <= 0) return;
    double yLow = std::floor(std::log10(low)), yHigh = std::max(std::ceil(std::log10(high)), yLow + 1);
    double xLow = std::log10(static_cast<double>(sizes.front())), xHigh = std::log10(static_cast<double>(sizes.back()));
    int left = panel.left + 58, right = panel.left + panel.width - 14;
    int top = panel.top + 24, bottom = panel.top + panel.height - 26;
    auto X = [&](double rows) { return left + static_cast<int>((std::log10(rows) - xLow) / (xHigh - xLow) * (right - left)); };
    auto Y = [&](double us) {
        return bottom - static_cast<int>((std::log10(std::max(us, 1e-3)) - yLow) / (yHigh - yLow) * (bottom - top));
    };
    drawing::OwnedPen grid(CreatePen(PS_SOLID, 1, RGB(215, 215, 215)));
    {
        drawing::SelectedObject pen(dc, grid.Get());
        SetTextColor(dc, RGB(90, 90, 90));
        for (double d = yLow; d <= yHigh; ++d) {
            int y = Y(std::pow(10.0, d));
            MoveToEx(dc, left, y, nullptr);
            LineTo(dc, right, y);
            Text(dc, left - 4, y - 7, TimeLabel(std::pow(10.0, d)), TA_RIGHT);
        }
        for (long rows : sizes) {
            MoveToEx(dc, X(rows), top, nullptr);
            LineTo(dc, X(rows), bottom);
            Text(dc, X(rows), bottom + 4, RowsLabel(rows), TA_CENTER);
        }
    }
    for (size_t s = 0; s < results_.Sides().size(); ++s) {
        drawing::OwnedPen curve(CreatePen(PS_SOLID, 2, kSideColors[s % 4]));
        drawing::OwnedBrush mark(CreateSolidBrush(kSideColors[s % 4]));
        drawing::SelectedObject pen(dc, curve.Get());
        bool drawing = false;
        for (int z = 0; z < static_cast<int>(sizes.size()); ++z) {
            if (!results_.Has(line, static_cast<int>(s), z)) {
                drawing = false;
                continue;
            }
            int x = X(static_cast<double>(sizes[z])), y = Y(results_.Median(line, static_cast<int>(s), z));
            if (drawing) LineTo(dc, x, y);
            else MoveToEx(dc, x, y, nullptr);
            drawing = true;
            RECT dot{x - 3, y - 3, x + 4, y + 4};
            FillRect(dc, &dot, mark.Get());
        }
    }
}

}  // namespace vel::bench
