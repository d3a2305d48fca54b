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

// Row 0 sounding in every column, its blue twice the column: MIDI out as the export plays
// blue / 2 as the note, so each note-on names the column that played it.
inline quom::Grid columnNotes()
{
    quom::Grid g{};
    for (int column = 0; column < quom::kColumns; ++column)
        g[quom::cellIndex(column, 0)] = quom::makeCell(255, 128, static_cast<std::uint8_t>(2 * column));
    return g;
}
