#pragma once

#include "core/model/Cell.h"

#include <algorithm>

// Grids whose cells can all be told apart, so a test sees where each one went.
inline quom::Grid distinctGrid()
{
    quom::Grid g;
    for (int i = 0; i < quom::kCells; ++i)
        g[i] = static_cast<quom::Cell>(i + 1);
    return g;
}

inline quom::Cell cellAt(const quom::Grid& grid, int column, int row)
{
    return grid[static_cast<std::size_t>(quom::cellIndex(column, row))];
}

inline quom::Grid sortedCells(quom::Grid g)
{
    std::sort(g.begin(), g.end());
    return g;
}

inline int countNotes(const quom::Grid& g)
{
    return static_cast<int>(std::count_if(g.begin(), g.end(), [](quom::Cell c) { return c != 0; }));
}
