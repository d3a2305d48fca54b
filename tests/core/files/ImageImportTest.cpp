#include "core/files/ImageImport.h"
#include "support/TestGrids.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <utility>
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

    EXPECT_FALSE(quom::importImage(0, 1, std::span<const std::uint32_t>{}));
    EXPECT_FALSE(quom::importImage(2, 2, pixels));
}

// The area average by its definition: every pixel blown up to 64 x 64 points, each cell
// the rounded mean of the width x height points that fall into it.
quom::Grid averageOfPoints(int width, int height, const std::vector<std::uint32_t>& pixels)
{
    quom::Grid cells{};
    const std::int64_t count = std::int64_t{width} * height;
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 64; ++y) {
            std::int64_t sum[3] = {};
            for (int b = y * height; b < (y + 1) * height; ++b) {
                for (int a = x * width; a < (x + 1) * width; ++a) {
                    const std::uint32_t p = pixels[static_cast<std::size_t>(b / 64 * width + a / 64)];
                    sum[0] += (p >> 16) & 0xFF;
                    sum[1] += (p >> 8) & 0xFF;
                    sum[2] += p & 0xFF;
                }
            }
            auto mean = [count](std::int64_t s) { return static_cast<int>((s + count / 2) / count); };
            cells[static_cast<std::size_t>(quom::cellIndex(x, y))]
                = makeCell(mean(sum[0]), mean(sum[1]), mean(sum[2]));
        }
    }
    return cells;
}

TEST(ImageImport, EveryShapeGivesTheExactAverageOfWhatEachCellCovers)
{
    std::uint32_t state = 12345;
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{
             {1, 1}, {1, 65}, {5, 3}, {7, 130}, {63, 1}, {65, 2}, {100, 63}, {129, 17}}) {
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        for (auto& p : pixels) {
            state = state * 1664525u + 1013904223u;
            p = state;
        }
        const auto cells = quom::importImage(width, height, pixels);
        ASSERT_TRUE(cells);
        EXPECT_EQ(*cells, averageOfPoints(width, height, pixels)) << width << " x " << height;
    }
}

TEST(ImageImport, APictureFarTallerThanWideAveragesEachCellsRows)
{
    // Each cell covers 4,000 rows. The first cell's rows are half white, then red down to the
    // middle and blue below.
    constexpr int kHeight = 256'000;
    std::vector<std::uint32_t> pixels(kHeight, 0x0000FFu);
    std::fill(pixels.begin(), pixels.begin() + kHeight / 2, 0xFF0000u);
    std::fill(pixels.begin(), pixels.begin() + kHeight / 128, 0xFFFFFFu);

    const auto cells = quom::importImage(1, kHeight, pixels);
    ASSERT_TRUE(cells);
    for (int x : {0, 63}) {
        EXPECT_EQ(cellAt(*cells, x, 0), makeCell(255, 128, 128));
        EXPECT_EQ(cellAt(*cells, x, 31), makeCell(255, 0, 0));
        EXPECT_EQ(cellAt(*cells, x, 32), makeCell(0, 0, 255));
    }
}

} // namespace
