// Placement arithmetic and version texts, without showing anything.
#include <gtest/gtest.h>
#include <windows.h>

#include "Centring.h"
#include "ModuleVersion.h"

using vel::about::Centring;
using vel::about::ModuleVersion;

namespace {

constexpr RECT kWorkArea{0, 0, 1280, 994};
constexpr SIZE kBox{300, 120};

TEST(Centring, CentresOnTheAnchorAndKeepsTheBoxInsideTheWorkArea) {
    POINT p = Centring::TopLeft({200, 150, 800, 550}, kBox, kWorkArea);
    EXPECT_EQ(p.x, 350);
    EXPECT_EQ(p.y, 290);

    p = Centring::TopLeft({1100, 900, 1400, 1100}, kBox, kWorkArea);  // off the bottom right
    EXPECT_EQ(p.x, 1280 - 300);
    EXPECT_EQ(p.y, 994 - 120);

    p = Centring::TopLeft({-500, -400, 100, 100}, kBox, kWorkArea);  // off the top left
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);

    p = Centring::TopLeft({0, 0, 200, 100}, {400, 200}, {0, 0, 300, 150});  // larger than the area
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
}

TEST(ModuleVersion, ReadsTheFileVersionAndShowsBuildAndRevisionOnlyWhenSet) {
    const auto own = ModuleVersion::Of(GetModuleHandleW(nullptr));
    ASSERT_TRUE(own.has_value());
    EXPECT_EQ(own->Major(), 2);
    EXPECT_EQ(own->Minor(), 5);
    EXPECT_EQ(own->Text(), L"Version 2.5");

    EXPECT_EQ(ModuleVersion(1, 0, 3, 0).Text(), L"Version 1.0.3.0");
    EXPECT_EQ(ModuleVersion(1, 2, 0, 7).Text(), L"Version 1.2.0.7");
}

}  // namespace
