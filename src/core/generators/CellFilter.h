#pragma once

#include "core/model/Cell.h"

// A filter is a 64 x 64 grid of colours that scales one channel of the pattern cell by
// cell, like a mask: where the filter is bright the cell keeps its value, where it is
// dark the value is pulled down.
namespace quom {

// The Filters window's settings; they outlive the window.
struct FilterSettings {
    int destination = 0; // 0 volume (red), 1 pan (green), 2 pitch (blue)
    int amount = 50; // percent, 1..100
    int filterIndex = 0; // in the window's list, -1 for none

    friend bool operator==(const FilterSettings&, const FilterSettings&) = default;
};

// For every cell, with a = amount / 100 and f the filter's cell at the same index, the
// destination channel c becomes trunc((1 - (1 - f.c / 255) x a) x (c / 255) x 255), in
// single precision; the other channels stay. Empty cells stay empty; a cell whose only
// painted channel is scaled to 0 becomes empty.
void applyCellFilter(Grid& pattern, const Grid& filter, int destination, int amount);

} // namespace quom
