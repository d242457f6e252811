// Thousands of calls of every drawing operation leave the process's GDI object
// count where it was.
#include <gtest/gtest.h>

#include "CDrawRect.h"
#include "CPaint.h"
#include "Canvas.h"
#include "GdiCensus.h"

using namespace vel::drawing;

namespace {

void DrawEverything(CPaint& paint, const Canvas& control) {
    HDC memDC = paint.GetMemDC(control.DC(), 64, 32, true);
    CPaint::DrawBackground(memDC, 0, 0, 64, 32, 0x8000000F);
    paint.DrawTextWithFont(L"Row", {L"Arial", 12, true}, RECT{0, 0, 64, 32}, DT_SINGLELINE, TextAlignment::Right,
                           RGB(1, 1, 1), RGB(2, 2, 2));
    for (long style = 0; style <= 10; ++style)
        CDrawRect::Draw3DRect(memDC, 1, 1, 60, 30, static_cast<Rect3DStyle>(style));
    CDrawRect::DrawRoundSplitter(memDC, 1, 3, 0, 0, 0, 60, 20);
    OwnedFont font = CPaint::CreateLogFont({L"Tahoma", 10});
    paint.BltMemDC(control.DC(), 64, 32);
}

}  // namespace

TEST(GdiLeak, TheCensusSeesObjectsComeAndGo) {
    if (!GdiCensus::SystemReportsCount())
        std::printf("GetGuiResources reports no GDI count here; counting the GDI handle table instead\n");
    const long before = GdiCensus::LiveObjects();
    {
        OwnedPen a(CreatePen(PS_SOLID, 1, 0)), b(CreatePen(PS_SOLID, 1, 0));
        OwnedDC dc = OwnedDC::CompatibleWith(nullptr);
        EXPECT_EQ(GdiCensus::LiveObjects(), before + 3);
    }
    EXPECT_EQ(GdiCensus::LiveObjects(), before);
}

TEST(GdiLeak, RepeatedDrawingCreatesNothingThatOutlivesIt) {
    Canvas control(64, 32);
    {
        CPaint warmUp;
        DrawEverything(warmUp, control);
    }
    const long before = GdiCensus::LiveObjects();
    {
        CPaint paint;
        for (int i = 0; i < 3000; ++i) DrawEverything(paint, control);
        EXPECT_EQ(GdiCensus::LiveObjects(), before + 2) << "one off-screen DC and one bitmap while in use";
    }
    EXPECT_EQ(GdiCensus::LiveObjects(), before);
}

TEST(GdiLeak, AnOffscreenDCWithoutBitmapIsStillFreed) {
    Canvas control(8, 8);
    const long before = GdiCensus::LiveObjects();
    {
        CPaint paint;
        paint.GetMemDC(control.DC(), -5, -5);
        ASSERT_NE(paint.hDCMem(), nullptr);
        paint.GetMemDC(control.DC(), -5, -5);
    }
    EXPECT_EQ(GdiCensus::LiveObjects(), before);
}
