#include "ui/main/PatternView.h"
#include "core/model/LiveGrid.h"
#include "ui/main/PlaybackMarker.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace quom;

namespace {

const QColor kBackground(34, 34, 34);

class PatternViewTest : public ::testing::TestWithParam<int> {
protected:
    PatternViewTest()
        : geometry(CanvasGeometry::forScreen(QSize(GetParam(), 1080)))
        , view(geometry, cells)
    {
        view.resize(geometry.windowWidth(), geometry.windowHeight());
    }

    QColor pixel(QPoint p) { return view.grab().toImage().pixelColor(p); }
    QColor pixel(int x, int y) { return pixel(QPoint(x, y)); }

    LiveGrid cells;
    CanvasGeometry geometry;
    PatternView view;
};

TEST_P(PatternViewTest, CellsFillTheirRectanglesAndEmptyCellsAreBlack)
{
    const Cell color = makeCell(200, 100, 50);
    cells.set(5, 12, color);
    cells.set(63, 63, makeCell(1, 0, 0));
    const QImage image = view.grab().toImage();

    const QRect painted = geometry.cellRect(5, 12);
    for (QPoint p : {painted.topLeft(), painted.bottomRight(), painted.center()})
        EXPECT_EQ(image.pixelColor(p), QColor(200, 100, 50));
    EXPECT_EQ(image.pixelColor(geometry.cellRect(63, 63).center()), QColor(1, 0, 0));
    EXPECT_EQ(image.pixelColor(geometry.cellRect(6, 12).center()), Qt::black);
    // Between two cells a grid line, outside the canvas the window background.
    EXPECT_EQ(image.pixelColor(painted.right() + 1, painted.center().y()), QColor(40, 40, 40));
    EXPECT_EQ(image.pixelColor(painted.center().x(), painted.bottom() + 1), QColor(40, 50, 40));
    EXPECT_EQ(image.pixelColor(5, 5), kBackground);
    EXPECT_EQ(image.pixelColor(geometry.right() + 5, 100), kBackground);
}

TEST_P(PatternViewTest, GridToggleBrightensEveryFourthLine)
{
    const int w = geometry.cellWidth();
    const int h = geometry.cellHeight();
    const int y = geometry.cellRect(0, 2).center().y();
    EXPECT_EQ(pixel(4 * w + 14, y), QColor(40, 40, 40));

    view.setGridShown(true);
    EXPECT_EQ(pixel(4 * w + 14, y), QColor(70, 70, 70));
    EXPECT_EQ(pixel(64 * w + 14, y), QColor(70, 70, 70));
    EXPECT_EQ(pixel(3 * w + 14, y), QColor(40, 40, 40));
    EXPECT_EQ(pixel(20, 8 * h + 9), QColor(70, 70, 70));
    EXPECT_EQ(pixel(20, 9 * h + 9), QColor(40, 50, 40));
}

TEST_P(PatternViewTest, MarkerFollowsThePolledColumnAndClearsWhenStopped)
{
    int playing = -1;
    PlaybackMarker marker(view, [&] { return playing; });
    const QRect col7 = geometry.markerRect(7);

    playing = 7;
    marker.poll();
    EXPECT_EQ(pixel(col7.center()), QColor(255, 0, 0));
    EXPECT_EQ(pixel(geometry.markerRect(8).center()), kBackground);

    playing = 8;
    marker.poll();
    EXPECT_EQ(pixel(col7.center()), kBackground);
    EXPECT_EQ(pixel(geometry.markerRect(8).center()), QColor(255, 0, 0));

    playing = -1;
    marker.poll();
    const QImage image = view.grab().toImage();
    for (int x = geometry.markerStrip().left(); x <= geometry.markerStrip().right(); ++x)
        ASSERT_EQ(image.pixelColor(x, 6), kBackground) << x;
}

TEST_P(PatternViewTest, StatusTextIsDrawnBelowTheButtons)
{
    const QImage before = view.grab().toImage().copy(geometry.statusRect());
    view.setStatusText(QStringLiteral("kick.wav"));
    const QImage after = view.grab().toImage().copy(geometry.statusRect());
    EXPECT_NE(before, after);
}

INSTANTIATE_TEST_SUITE_P(BothCellSizes, PatternViewTest, ::testing::Values(1024, 1280));

} // namespace
