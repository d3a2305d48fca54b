#include "ui/kit/KitEditorLayout.h"
#include "support/QtPrinters.h"
#include "ui/controls/WindowFrame.h"

#include <gtest/gtest.h>

using namespace quom;

namespace {

TEST(KitEditorLayout, RowsKeepTheirUsualHeightWhereTheyFitAndStandInTwoColumnsWhereTheyWouldBeUnreadable)
{
    struct Case {
        QSize room;
        int rowHeight;
        int columns;
    };
    // Screens of 1920 x 1080, 1024 x 768, 1366 x 768, 1280 x 720 and 1024 x 600 with a
    // panel of 32 pixels, and one too narrow for two columns.
    for (const Case& c : {Case{{1920, 1048}, 11, 1}, Case{{1024, 736}, 9, 1}, Case{{1366, 736}, 9, 1},
             Case{{1280, 688}, 11, 2}, Case{{1024, 568}, 10, 2}, Case{{640, 448}, 4, 1}}) {
        SCOPED_TRACE(testing::Message() << c.room.width() << " x " << c.room.height());
        const auto layout = KitEditorLayout::forScreen(c.room);
        EXPECT_EQ(layout.rowHeight(), c.rowHeight);
        EXPECT_EQ(layout.columns(), c.columns);
        if (c.room.width() >= 780) {
            EXPECT_LE(layout.windowSize().width(), c.room.width());
            EXPECT_LE(layout.windowSize().height() + kWindowFrameHeight, c.room.height());
        }
    }
    EXPECT_EQ(KitEditorLayout::forScreen({1024, 800}).windowSize(), QSize(400, 740)) << "the usual window";
}

TEST(KitEditorLayout, TheSecondColumnHoldsTheLastThirtyTwoSlotsWithTheSameZones)
{
    const KitEditorLayout layout(10, 2);
    const int second = KitEditorLayout::kColumnWidth;
    EXPECT_EQ(layout.windowSize(), QSize(780, 420));
    EXPECT_EQ(layout.rowTop(32), layout.rowTop(0));
    EXPECT_EQ(layout.columnShift(31), 0);
    EXPECT_EQ(layout.columnShift(32), second);

    const int y = layout.rowTop(40) + 5;
    EXPECT_EQ(layout.hit({second + 30, y})->slot, 40);
    EXPECT_EQ(layout.hit({second + 30, y})->zone, SlotZone::Name);
    EXPECT_EQ(layout.hit({second + KitEditorLayout::kLoopX, y})->zone, SlotZone::Loop);
    EXPECT_EQ(layout.hit({second + KitEditorLayout::kFadeX + 11, y})->zone, SlotZone::Fade);
    EXPECT_FALSE(layout.hit({second + KitEditorLayout::kSelectableRight, y})) << "the first column's lengths";
    EXPECT_FALSE(layout.hit({KitEditorLayout::kSelectableRight + 100, y})) << "the first column's keys";
    EXPECT_EQ(layout.hit({second + KitEditorLayout::kLeft, y})->slot, 40)
        << "the second column's first pixel";
    EXPECT_FALSE(layout.hit({30, KitEditorLayout::kTop - 1})) << "the headings";
    EXPECT_EQ(layout.hit({30, layout.rowTop(31) + 9})->slot, 31);
    EXPECT_FALSE(layout.hit({30, layout.rowTop(31) + 10})) << "below the last row";
}

} // namespace
