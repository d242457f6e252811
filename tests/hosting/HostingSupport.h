#pragma once
// What the hosting tests share: resource counting and message pumping.
#include <windows.h>

#include "GdiCensus.h"

namespace vel::test {

// GDI objects of this process.
inline long GdiObjectCount() { return GdiCensus::LiveObjects(); }

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
#include <set>
#include <string>

namespace vel::test {

// Every hosting test ends with its COM objects released and its GDI objects deleted.
// The system keeps some GDI objects it creates on first use (realized fonts, window
// DCs), so the GDI count is compared from a test's second run on: the tests run twice
// (--gtest_repeat=2).
class HostingTest : public ::testing::Test {
protected:
    void SetUp() override { gdiBefore_ = GdiObjectCount(); }
    void TearDown() override {
        // What a posted message or a timer releases gets a moment (a slow, emulated system
        // may not have delivered it yet); an object still alive after that is a leak.
        PumpMessages();
        for (int wait = 0; wait < 40 && com::Module::ObjectCount() != 0; ++wait) {
            Sleep(50);
            PumpMessages();
        }
        EXPECT_EQ(com::Module::ObjectCount(), 0) << "COM objects still alive";
        // Fewer is no leak: the system frees objects of its own as it likes.
        if (CountsGdi()) {
            EXPECT_LE(GdiObjectCount(), gdiBefore_) << "GDI objects leaked";
        }
    }
    // Whether this run's GDI count is compared: from a test's second run on, unless a
    // suite warms the system's caches up beforehand.
    virtual bool CountsGdi() const { return RanBefore(); }
    // Counts GDI objects from here on: for a test that opens the system's own dialogs,
    // which cache objects of their own (the icons of the files they list).
    void CountGdiFromHere() { gdiBefore_ = GdiObjectCount(); }

    static bool RanBefore() {
        static std::set<std::string> seen;
        auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        return !seen.insert(std::string(info->test_suite_name()) + "." + info->name()).second;
    }

private:
    long gdiBefore_ = 0;
};

}  // namespace vel::test
