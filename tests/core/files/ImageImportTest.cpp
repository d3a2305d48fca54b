#include "core/files/ImageImport.h"
#include "support/TestGrids.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using quom::Cell;
using quom::makeCell;

TEST(ImageImport, SolidAreasStayExactAndOnlyTheirBordersBlend)
{
    // Three pixels stretched to 64 cells: cell t covers pixels t x 3 / 64 .. (t + 1) x 3 / 64.
    const std::vector<std::uint32_t> pixels{0xC81E0A, 0x0A64FF, 0x000000};
    const auto cells = quom::importImage(3, 1, pixels);
    ASSERT_TRUE(cells);
    for (int y : {0, 40, 63}) {
        EXPECT_EQ(cellAt(*cells, 0, y), makeCell(200, 30, 10));
        EXPECT_EQ(cellAt(*cells, 20, y), makeCell(200, 30, 10));
        // A third of the first pixel and two thirds of the second.
        EXPECT_EQ(cellAt(*cells, 21, y), makeCell(73, 77, 173));
        EXPECT_EQ(cellAt(*cells, 22, y), makeCell(10, 100, 255));
        EXPECT_EQ(cellAt(*cells, 63, y), 0u);
    }
    // Shrinking averages: a checkerboard of two colours becomes their mean.
    std::vector<std::uint32_t> board(128 * 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            board[static_cast<std::size_t>(y * 128 + x)] = (x + y) % 2 ? 0xFF0000u : 0x0000FFu;
    const auto grey = quom::importImage(128, 128, board);
    ASSERT_TRUE(grey);
    EXPECT_EQ(cellAt(*grey, 17, 45), makeCell(128, 0, 128));

    EXPECT_FALSE(quom::importImage(0, 1, {}));
    EXPECT_FALSE(quom::importImage(2, 2, pixels));
}

} // namespace
