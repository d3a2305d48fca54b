#include "core/edit/Drum.h"

#include "core/random/Random.h"
#include "support/TestGrids.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using quom::cellIndex;
using quom::Grid;

std::set<int> notedRows(const Grid& g)
{
    std::set<int> rows;
    for (int i = 0; i < quom::kCells; ++i) {
        if (g[i] != 0)
            rows.insert(i % quom::kRows);
    }
    return rows;
}

std::vector<int> notedColumns(const Grid& g, int row, quom::Cell color)
{
    std::vector<int> columns;
    for (int x = 0; x < quom::kColumns; ++x) {
        if (g[cellIndex(x, row)] == color)
            columns.push_back(x);
    }
    return columns;
}

std::vector<int> everyNth(int start, int step)
{
    std::vector<int> columns;
    for (int x = start; x < quom::kColumns; x += step)
        columns.push_back(x);
    return columns;
}

TEST(Drum, EveryPatternHasThreeToNineDrumRows)
{
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        quom::seedRandom(seed);
        Grid g = distinctGrid();
        quom::makeDrumPattern(g);
        const auto rows = notedRows(g);
        EXPECT_GE(rows.size(), 3u) << seed;
        EXPECT_LE(rows.size(), 9u) << seed;
        for (quom::Cell c : g) {
            if (c == 0)
                continue;
            EXPECT_EQ(quom::blueOf(c), 127);
            EXPECT_GE(quom::redOf(c), 55);
        }
    }
}

TEST(Drum, SeedOneGivesTheTracksOfItsDraws)
{
    // Seed 1 draws m = 0 + 3 tracks; the first is row 36, green 49, red 161 + 55,
    // period 2^2 without offset; then rows 22 (period 8) and 54 (period 2); no motif.
    quom::seedRandom(1);
    Grid g{};
    quom::makeDrumPattern(g);
    EXPECT_EQ(notedRows(g), (std::set<int>{22, 36, 54}));
    EXPECT_EQ(notedColumns(g, 36, quom::makeCell(216, 49, 127)), everyNth(0, 4));
    EXPECT_EQ(notedColumns(g, 22, quom::makeCell(219, 228, 127)), everyNth(0, 8));
    EXPECT_EQ(notedColumns(g, 54, quom::makeCell(157, 181, 127)), everyNth(0, 2));
    EXPECT_EQ(countNotes(g), 16 + 8 + 32);
}

TEST(Drum, ARowDrawOfSixtyFourTakesTheLastRow)
{
    // This seed gives 16889 (four tracks) and then 32767, so randomInt(64) returns 64.
    // That track lands on row 63 with period 16 and offset 14.
    quom::seedRandom(711782506u);
    Grid g{};
    quom::makeDrumPattern(g);
    EXPECT_EQ(notedColumns(g, 63, quom::makeCell(249, 238, 127)), (std::vector<int>{2, 18, 34, 50}));
    EXPECT_EQ(notedRows(g).size(), 4u);
}

} // namespace
