#include "core/generators/MutateColors.h"

#include "core/color/ColorVariation.h"

namespace quom {

void mutateCells(Grid& grid, int redPercent, int greenPercent, int bluePercent)
{
    if (redPercent == 0 && greenPercent == 0 && bluePercent == 0)
        return;
    const float red = variationAmount(redPercent);
    const float green = variationAmount(greenPercent);
    const float blue = variationAmount(bluePercent);
    for (Cell& cell : grid) {
        if (cell == 0)
            continue;
        // A channel at 0 % still draws, so every cell always takes three draws and each
        // slider only scales its own channel's share of one fixed mutation.
        const int r = varyChannel(redOf(cell), red);
        const int g = varyChannel(greenOf(cell), green);
        const int b = varyChannel(blueOf(cell), blue);
        const Cell mutated = makeCell(r, g, b);
        cell = mutated != 0 ? mutated : makeCell(1, 1, 1);
    }
}

} // namespace quom
