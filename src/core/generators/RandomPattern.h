#pragma once

#include "core/model/Cell.h"

// Random painting: a share of the grid's cells, each picked once, painted in one
// colour or along a gradient, with an optional colour variation. The settings
// are kept beside the project and outlive the window that edits them.
namespace quom {

enum class RandomOperation { Replace = 0, Add = 1 };
enum class RandomColorMode { Single = 0, Gradient = 1 };

struct RandomSettings {
    RandomOperation operation = RandomOperation::Replace;
    RandomColorMode colorMode = RandomColorMode::Gradient;
    Cell color1 = 0;
    Cell color2 = 0x0000FF; // pure red
    int density = 25; // percent of the 4096 cells, 0..100
    int variation = 0; // percent, 0..100

    friend bool operator==(const RandomSettings&, const RandomSettings&) = default;
};

// Replace clears the grid first; add paints over whatever the picked cells held.
// Per cell the draws are: the cell pick, the gradient position (gradient mode only),
// then the three colour variations (only when the variation is not 0).
void paintRandomPattern(Grid& grid, const RandomSettings& settings);

} // namespace quom
