#include "core/generators/Automaton.h"

#include "core/random/Random.h"
#include "support/TestGrids.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using quom::cellIndex;
using quom::Grid;

constexpr quom::Cell kA = quom::makeCell(200, 10, 10);
constexpr quom::Cell kB = quom::makeCell(10, 200, 10);
constexpr quom::Cell kC = quom::makeCell(10, 10, 200);

Grid withCells(std::initializer_list<std::tuple<int, int, quom::Cell>> cells)
{
    Grid g{};
    for (const auto& [x, y, c] : cells)
        g[cellIndex(x, y)] = c;
    return g;
}

TEST(Automaton, BlinkerTurnsAndTurnsBackInItsColor)
{
    const Grid horizontal = withCells({{10, 5, kA}, {11, 5, kA}, {12, 5, kA}});
    const Grid vertical = withCells({{11, 4, kA}, {11, 5, kA}, {11, 6, kA}});
    Grid g = horizontal;
    quom::evolve(g);
    EXPECT_EQ(g, vertical);
    quom::evolve(g);
    EXPECT_EQ(g, horizontal);
}

TEST(Automaton, BlockStaysAndEmptyAndFullGridsEndEmpty)
{
    const Grid block = withCells({{0, 30, kA}, {1, 30, kB}, {0, 31, kC}, {1, 31, kA}});
    Grid g = block;
    quom::evolve(g);
    EXPECT_EQ(g, block);

    Grid empty{};
    quom::evolve(empty);
    EXPECT_EQ(countNotes(empty), 0);

    Grid full = distinctGrid();
    quom::evolve(full);
    EXPECT_EQ(countNotes(full), 0);
}

TEST(Automaton, TheGridIsATorus)
{
    // A blinker across the left and right edge stands up in column 0, across the
    // top and bottom edge.
    Grid g = withCells({{63, 0, kA}, {0, 0, kA}, {1, 0, kA}});
    quom::evolve(g);
    EXPECT_EQ(g, withCells({{0, 63, kA}, {0, 0, kA}, {0, 1, kA}}));
}

TEST(Automaton, NewbornsTakeTheDrawnParentsColor)
{
    // Parents of (11, 4) in visiting order: A (10, 5), B (11, 5), C (12, 5); (11, 6)
    // sees the same list. Seed 1 draws 41 (first parent) then 18467 (second).
    const Grid parents = withCells({{10, 5, kA}, {11, 5, kB}, {12, 5, kC}});
    quom::seedRandom(1);
    Grid g = parents;
    quom::evolve(g);
    EXPECT_EQ(g, withCells({{11, 4, kA}, {11, 5, kB}, {11, 6, kB}}));

    // A draw of 32767 gives randomInt(3) = 3, which still names the third parent.
    quom::seedRandom(4028364353u);
    g = parents;
    quom::evolve(g);
    EXPECT_EQ(g[cellIndex(11, 4)], kC);
}

} // namespace
