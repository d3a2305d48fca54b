#include "ui/patterns/CPatternsDlg.h"
#include "core/model/PatternModel.h"
#include "support/QtPrinters.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace quom;

namespace {

class PatternsWindow : public ::testing::Test {
protected:
    PatternsWindow()
    {
        Grid third{};
        third[static_cast<std::size_t>(cellIndex(3, 4))] = makeCell(200, 10, 20);
        patterns.setSlot(2, third);
    }

    void key(CPatternsDlg& window, Qt::Key k) { QTest::keyClick(&window, k); }

    PatternModel patterns;
};

TEST_F(PatternsWindow, ThumbnailsShowEachCellAsTwoByTwoPixelsAndTheHighlightStartsOnTheFirst)
{
    CPatternsDlg window(patterns);
    window.show();
    EXPECT_EQ(window.windowTitle(), "Patterns...");
    const QImage shot = window.grab().toImage();
    const QPoint third = CPatternsDlg::thumbnailOrigin(2);
    EXPECT_EQ(third, QPoint(316, 20));
    for (QPoint p : {QPoint(6, 8), QPoint(7, 9)})
        EXPECT_EQ(shot.pixelColor(third + p), QColor(200, 10, 20));
    EXPECT_EQ(shot.pixelColor(third + QPoint(8, 8)), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(CPatternsDlg::thumbnailOrigin(0) - QPoint(1, 1)), QColor(Qt::white));
    EXPECT_EQ(window.highlighted(), 0);

    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(window.result(), QDialog::Accepted) << "a click chooses what is highlighted";
    EXPECT_EQ(window.highlighted(), 0);
}

TEST_F(PatternsWindow, ArrowKeysWrapWithinTheirRowOrColumn)
{
    CPatternsDlg window(patterns);
    window.show();
    key(window, Qt::Key_Up);
    EXPECT_EQ(window.highlighted(), 12);
    key(window, Qt::Key_Down);
    EXPECT_EQ(window.highlighted(), 0);
    key(window, Qt::Key_Left);
    EXPECT_EQ(window.highlighted(), 3);
    key(window, Qt::Key_Right);
    EXPECT_EQ(window.highlighted(), 0);
    key(window, Qt::Key_Down);
    key(window, Qt::Key_Left);
    EXPECT_EQ(window.highlighted(), 7) << "Left on pattern 5 highlights pattern 8";
    key(window, Qt::Key_Escape);
    EXPECT_EQ(window.result(), QDialog::Rejected);
}

TEST_F(PatternsWindow, TheGapBelongsToTheThumbnailAboveAndLeftOfIt)
{
    CPatternsDlg window(patterns);
    window.show();
    QTest::mouseMove(&window, CPatternsDlg::thumbnailOrigin(5) + QPoint(10, 10));
    EXPECT_EQ(window.highlighted(), 5);
    QTest::mouseMove(&window, CPatternsDlg::thumbnailOrigin(0) + QPoint(140, 10));
    EXPECT_EQ(window.highlighted(), 0) << "the gap right of pattern 1";
    QTest::mouseMove(&window, QPoint(5, 5));
    EXPECT_EQ(window.highlighted(), 0);
    QTest::mouseMove(&window, CPatternsDlg::thumbnailOrigin(15) + QPoint(127, 127));
    key(window, Qt::Key_Return);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.highlighted(), 15);
}

} // namespace
