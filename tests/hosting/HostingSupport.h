#pragma once
// What the hosting tests share: resource counting and message pumping.
#include <windows.h>

namespace vel::test {

// GDI objects of this process.
inline long GdiObjectCount() { return static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)); }

// Delivers every queued message, painting included.
inline void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Reads one pixel of a window as it is on screen.
inline COLORREF PixelOf(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

}  // namespace vel::test

#include <gtest/gtest.h>

#include "Module.h"

namespace vel::test {

// Every hosting test ends with its COM objects released and its GDI objects deleted.
class HostingTest : public ::testing::Test {
protected:
    void SetUp() override { gdiBefore_ = GdiObjectCount(); }
    void TearDown() override {
        PumpMessages();
        EXPECT_EQ(com::Module::ObjectCount(), 0) << "COM objects still alive";
        EXPECT_EQ(GdiObjectCount(), gdiBefore_) << "GDI objects leaked";
    }

private:
    long gdiBefore_ = 0;
};

}  // namespace vel::test
