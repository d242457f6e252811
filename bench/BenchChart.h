#pragma once
// The comparison drawn: one log-log panel per timed line (time per operation against rows),
// a curve for each side, painted with GDI into a device-independent bitmap and saved as a
// BMP file.
#include <windows.h>

#include <string>

#include "BenchResults.h"

namespace vel::bench {

class BenchChart {
public:
    explicit BenchChart(const BenchResults& results) : results_(results) {}
    // False when the bitmap could not be made or the file not written.
    bool Save(const std::wstring& path, const std::string& title) const;

private:
    struct Panel {
        int left, top, width, height;
    };
    void DrawPanel(HDC dc, const Panel& panel, int line) const;
    void DrawLegend(HDC dc, int left, int top, const std::string& title) const;

    const BenchResults& results_;
};

}  // namespace vel::bench
