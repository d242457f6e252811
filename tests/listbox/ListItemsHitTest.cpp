// The row hit test: fixed cases of both selection types, and random geometry
// against the row-by-row scan it must equal.
#include <cmath>
#include <random>

#include "RosterFixture.h"

namespace vel::test {
namespace {

struct Geometry {
    long clientHeight, rowWidth, headerHeight, scrollLeft, scrollTop, selectionType;
    short border, rowHeight;
};

// The scan from the top, row by row.
long ScanHit(const Geometry& g, long count, double x, double y) {
    long long rowY = g.border + g.headerHeight, top = 0;
    bool first = true;
    for (long i = 1; i <= count; ++i) {
        if (top > g.clientHeight - g.border) return 0;
        if (rowY - g.scrollTop < g.headerHeight + g.border) {
            rowY += g.rowHeight;
            continue;
        }
        top = first ? g.headerHeight + g.border : top + g.rowHeight;
        first = false;
        bool hit = g.selectionType == 0
                       ? (top < y && y <= top + g.rowHeight)
                       : (-g.scrollLeft < x && x < g.rowWidth - g.scrollLeft && rowY - g.scrollTop < y &&
                          y <= rowY - g.scrollTop + g.rowHeight);
        if (hit) return i;
        rowY += g.rowHeight;
    }
    return 0;
}

class RowHitTest : public RosterFixture {
protected:
    void Apply(const Geometry& g) {
        items->SetClientHeight(g.clientHeight);
        items->SetRowWidth(g.rowWidth);
        items->SetHeaderHeight(g.headerHeight);
        items->SetScrollLeft(g.scrollLeft);
        items->SetScrollTop(g.scrollTop);
        items->SetSelectionType(g.selectionType);
        items->SetBorderOffset(g.border);
        items->SetRowHeight(g.rowHeight);
    }

    long Hit(float x, float y) {
        auto row = AsObject(Call(Disp(items.Get()), L"HitTest", {Dbl(x), Dbl(y)}));
        return row ? AsLong(Get(row.Get(), L"Index")) : 0;
    }
};

TEST_F(RowHitTest, ListBoxStyleHitsAcrossTheWholeWidth) {
    AddColumns(1);
    AddRows(10);
    Apply({100, 80, 20, 0, 0, 0, 2, 16});  // rows start at y = 22
    EXPECT_EQ(Hit(5, 22.5f), 1);
    EXPECT_EQ(Hit(5, 38), 1) << "a row's bottom edge belongs to it";
    EXPECT_EQ(Hit(5, 38.5f), 2);
    EXPECT_EQ(Hit(5000, 40), 2) << "x is not tested";
    EXPECT_EQ(Hit(5, 22), 0) << "the header band";
    EXPECT_EQ(Hit(5, 10), 0);
    EXPECT_EQ(Hit(5, 110), 6) << "the row that starts inside the client area";
    EXPECT_EQ(Hit(5, 120), 0) << "rows below the client area are not reached";
}

TEST_F(RowHitTest, ListViewStyleHitsOnlyWithinTheFirstColumn) {
    AddColumns(1);
    AddRows(10);
    Apply({100, 80, 20, 0, 32, 1, 2, 16});  // scrolled by two rows
    EXPECT_EQ(Hit(5, 30), 3);
    EXPECT_EQ(Hit(79.5f, 30), 3);
    EXPECT_EQ(Hit(80, 30), 0) << "beyond the first column";
    EXPECT_EQ(Hit(-1, 30), 0);
    items->SetScrollLeft(10);
    EXPECT_EQ(Hit(69, 30), 3);
    EXPECT_EQ(Hit(70, 30), 0);
    EXPECT_EQ(Hit(5, 20), 0) << "the header band";
}

TEST_F(RowHitTest, AnswersNothingForPointsThatAreNotNumbers) {
    AddColumns(1);
    AddRows(3);
    Apply({100, 80, 20, 0, 0, 0, 2, 16});
    EXPECT_EQ(Hit(5, std::nanf("")), 0);
    EXPECT_EQ(Hit(5, INFINITY), 0);
    EXPECT_EQ(Hit(5, -INFINITY), 0);
}

TEST_F(RowHitTest, RandomGeometryGivesTheSameRowsAsTheScan) {
    AddColumns(1);
    AddRows(40);
    std::mt19937 random(7);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int round = 0; round < 4000; ++round) {
        Geometry g{pick(-5, 400), pick(0, 200), pick(0, 30), pick(-20, 50), pick(-40, 700), pick(0, 1),
                   static_cast<short>(pick(0, 2)), static_cast<short>(pick(-2, 25))};
        Apply(g);
        for (int probe = 0; probe < 10; ++probe) {
            float x = pick(-30, 250) + pick(0, 3) * 0.5f, y = pick(-10, 500) + pick(0, 3) * 0.5f;
            ASSERT_EQ(items->HitTestItem(x, y) ? items->HitTestItem(x, y)->IndexValue() : 0, ScanHit(g, 40, x, y))
                << "round " << round << " x " << x << " y " << y;
        }
    }
}

TEST_F(RowHitTest, LongListsAreHitWithoutScanningTheRowsAbove) {
    AddColumns(1);
    AddRows(100000);
    Apply({400, 80, 20, 0, 16 * 90000, 0, 2, 16});
    EXPECT_EQ(Hit(5, 22.5f), 90001);
    EXPECT_EQ(Hit(5, 22 + 16 * 10 + 1), 90011);
}

}  // namespace
}  // namespace vel::test
