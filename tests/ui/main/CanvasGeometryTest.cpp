#include "ui/main/CanvasGeometry.h"
#include "core/model/Cell.h"

#include <gtest/gtest.h>

using quom::CanvasGeometry;

namespace {

TEST(CanvasGeometry, CellSizeAndWindowFollowTheScreenWidth)
{
    const auto narrow = CanvasGeometry::forScreenWidth(1064);
    EXPECT_EQ(narrow.cellWidth(), 12);
    EXPECT_EQ(narrow.cellHeight(), 10);
    EXPECT_EQ(narrow.windowWidth(), 1001);
    EXPECT_EQ(narrow.windowHeight(), 64 * 10 + 10 + 90);
    EXPECT_EQ(narrow.buttonPitch(), 37);

    const auto wide = CanvasGeometry::forScreenWidth(1065);
    EXPECT_EQ(wide.cellWidth(), 13);
    EXPECT_EQ(wide.cellHeight(), 11);
    EXPECT_EQ(wide.windowWidth(), 1065);
    EXPECT_EQ(wide.right(), 64 * 13 + 15);
    EXPECT_EQ(wide.buttonPitch(), 40);
}

TEST(CanvasGeometry, EveryPixelOfACellHitsThatCell)
{
    for (const auto& g : {CanvasGeometry(12, 10), CanvasGeometry(13, 11)}) {
        for (int x = 0; x < quom::kColumns; ++x) {
            for (int y = 0; y < quom::kRows; ++y) {
                const QRect r = g.cellRect(x, y);
                ASSERT_EQ(r.width(), g.cellWidth() - 1);
                ASSERT_EQ(r.height(), g.cellHeight() - 1);
                ASSERT_EQ(g.cellAt(r.topLeft()), QPoint(x, y));
                ASSERT_EQ(g.cellAt(r.bottomRight()), QPoint(x, y));
            }
        }
    }
}

TEST(CanvasGeometry, HitTestExcludesTheCanvasFrame)
{
    const CanvasGeometry g(12, 10);
    EXPECT_FALSE(g.onCanvas({14, 50}));
    EXPECT_FALSE(g.onCanvas({50, 9}));
    EXPECT_FALSE(g.onCanvas({64 * 12 + 15, 50}));
    EXPECT_FALSE(g.onCanvas({50, 64 * 10 + 10}));
    EXPECT_EQ(g.cellAt({15, 10}), QPoint(0, 0));
    EXPECT_EQ(g.cellAt({64 * 12 + 14, 64 * 10 + 9}), QPoint(63, 63));
}

TEST(CanvasGeometry, MarkerSitsAboveItsColumnInsideTheStrip)
{
    const CanvasGeometry g(13, 11);
    const QRect strip = g.markerStrip();
    EXPECT_EQ(strip, QRect(15, 5, 64 * 13, 3));
    for (int c = 0; c < quom::kColumns; ++c) {
        const QRect m = g.markerRect(c);
        ASSERT_TRUE(strip.contains(m));
        ASSERT_EQ(m.left(), g.cellRect(c, 0).left());
        ASSERT_EQ(m.right(), g.cellRect(c, 0).right());
    }
}

} // namespace
