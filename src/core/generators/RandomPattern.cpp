#include "core/generators/RandomPattern.h"

#include "core/color/ColorVariation.h"
#include "core/random/FreeSlots.h"
#include "core/random/Random.h"

#include <algorithm>

namespace quom {

void paintRandomPattern(Grid& grid, const RandomSettings& settings)
{
    if (settings.operation == RandomOperation::Replace)
        grid.fill(0);
    const int count = std::clamp(settings.density, 0, 100) * kCells / 100;
    const float amount = variationAmount(std::clamp(settings.variation, 0, 100));
    FreeSlots cells(kCells);
    for (int i = 0; i < count; ++i) {
        const int index = cells.take(randomInt(kCells - 1 - i));
        Cell base = settings.color1;
        if (settings.colorMode == RandomColorMode::Gradient)
            base = lerpColor(settings.color1, settings.color2, randomUnit());
        grid[index] = varyColour(base, amount);
    }
}

} // namespace quom
