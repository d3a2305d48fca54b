#include "ui/main/CanvasGeometry.h"
#include "core/model/Cell.h"
#include "ui/controls/WindowFrame.h"

#include <gtest/gtest.h>

#include <vector>

using quom::CanvasGeometry;
using quom::kWindowFrameHeight;

namespace {

// A screen's available area (a desktop panel taken off) leaves the window this much
// room, title bar included.
QSize room(int width, int height, int panel = 32)
{
    return {width, height - panel};
}

// Every control of the right-hand column, top to bottom, as the window places them.
std::vector<QRect> rightColumn(const CanvasGeometry& g)
{
    const int x = g.columnLeft();
    std::vector<QRect> rows{QRect(x, g.columnY(g.top()), 32, 30), QRect(x, g.columnY(g.top() + 40), 32, 30),
        QRect(x, g.panelTop(), 186, 56)};
    for (int y : {220, 260, 300, 340, 380, 440})
        rows.emplace_back(x, g.columnY(y), 32, 30);
    for (int y : {g.patternLabelTop(), g.tempoTop(), g.volumeTop()})
        rows.emplace_back(x, y, 186, 15);
    return rows;
}

TEST(CanvasGeometry, CellSizeAndWindowFollowTheScreenWidth)
{
    const auto narrow = CanvasGeometry::forScreen(QSize(1064, 1080));
    EXPECT_EQ(narrow.cellWidth(), 12);
    EXPECT_EQ(narrow.cellHeight(), 10);
    EXPECT_EQ(narrow.windowWidth(), 1001);
    EXPECT_EQ(narrow.windowHeight(), 64 * 10 + 10 + 90);
    EXPECT_EQ(narrow.buttonPitch(), 37);

    const auto wide = CanvasGeometry::forScreen(QSize(1065, 1080));
    EXPECT_EQ(wide.cellWidth(), 13);
    EXPECT_EQ(wide.cellHeight(), 11);
    EXPECT_EQ(wide.windowWidth(), 1065);
    EXPECT_EQ(wide.right(), 64 * 13 + 15);
    EXPECT_EQ(wide.buttonPitch(), 40);
}

TEST(CanvasGeometry, LargeScreensKeepTheUsualLayoutUntilZoomed)
{
    for (QSize screen : {QSize(1065, 804 + kWindowFrameHeight), QSize(1920, 1050), QSize(3840, 2100)}) {
        const auto g = CanvasGeometry::forScreen(screen);
        EXPECT_EQ(g.cellSize(), QSize(13, 11)) << screen.width() << " x " << screen.height();
        EXPECT_EQ(QSize(g.windowWidth(), g.windowHeight()), QSize(1065, 804));
        for (int y : {220, 440, 570})
            EXPECT_EQ(g.columnY(y), y);
        EXPECT_EQ(g.panelTop(), g.top() + 100);
        EXPECT_EQ(g.tempoTop(), 540);
    }
    // One pixel short of the title bar's room: the next size down.
    EXPECT_EQ(CanvasGeometry::forScreen(QSize(1065, 804 + kWindowFrameHeight - 1)).cellSize(), QSize(12, 10));
}

TEST(CanvasGeometry, SmallScreensGetSmallerCellsAndEveryControlStaysInside)
{
    struct Case {
        QSize room;
        QSize cell;
    };
    for (const Case& c :
        {Case{room(1366, 768), {11, 9}}, Case{room(1280, 720), {10, 8}}, Case{room(1024, 600), {8, 6}},
            Case{room(1024, 600, 0), {9, 7}}, Case{room(1280, 720, 0), {11, 9}}}) {
        const auto g = CanvasGeometry::forScreen(c.room);
        SCOPED_TRACE(testing::Message() << c.room.width() << " x " << c.room.height());
        EXPECT_EQ(g.cellSize(), c.cell);
        EXPECT_LE(g.windowWidth(), c.room.width());
        EXPECT_LE(g.windowHeight() + kWindowFrameHeight, c.room.height());

        const QRect window(0, 0, g.windowWidth(), g.windowHeight());
        const auto column = rightColumn(g);
        for (std::size_t i = 0; i < column.size(); ++i) {
            EXPECT_TRUE(window.contains(column[i])) << "row " << i;
            if (i > 0) {
                EXPECT_LT(column[i - 1].bottom(), column[i].top())
                    << "rows " << i - 1 << " and " << i << " overlap";
            }
        }
        // The bottom row of buttons may run past a narrow canvas, but never under the column.
        const QRect bottomRow(g.left(), g.bottom() + 10, 20 * g.buttonPitch() + 32, 30);
        EXPECT_TRUE(window.contains(bottomRow));
        for (const QRect& row : column)
            EXPECT_FALSE(row.intersects(bottomRow)) << row.y();
        EXPECT_TRUE(window.contains(g.statusRect()));
        EXPECT_TRUE(window.contains(g.noticeRect()));
    }
}

TEST(CanvasGeometry, ZoomMovesByWholePixelsWithinTheRoom)
{
    const QSize large(1920, 1050);
    EXPECT_EQ(CanvasGeometry::forScreen(large, 1).cellSize(), QSize(14, 12));
    EXPECT_EQ(CanvasGeometry::forScreen(large, -1).cellSize(), QSize(12, 10));
    EXPECT_EQ(CanvasGeometry::forScreen(large, -100).cellSize(), QSize(8, 6)) << "the smallest cell";
    // The tallest window that fits: 64 rows of 14 pixels and 140 more.
    const auto largest = CanvasGeometry::forScreen(large, 100);
    EXPECT_EQ(largest.cellSize(), QSize(16, 14));
    EXPECT_LE(largest.windowHeight() + kWindowFrameHeight, large.height());
    EXPECT_GT(CanvasGeometry::atStep(largest.step() + 1).windowHeight() + kWindowFrameHeight, large.height());

    // Where the usual size does not fit, zoom counts from the size that does.
    EXPECT_EQ(CanvasGeometry::forScreen(room(1366, 768), -1).cellSize(), QSize(10, 8));
    EXPECT_EQ(CanvasGeometry::forScreen(room(1366, 768), 1).cellSize(), QSize(11, 9))
        << "no larger size fits";
    // A screen too small for any size gets the smallest.
    EXPECT_EQ(CanvasGeometry::forScreen(QSize(640, 480), 2).cellSize(), QSize(8, 6));
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
