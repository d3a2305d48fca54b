#include "core/generators/ColorCurves.h"

#include <cmath>

namespace quom {
namespace {

// (i / 63)^p: where the curve stands at column i of its 64-pixel plot. std::pow on
// floats keeps the power in single precision, as everywhere in the curves.
float plotPower(int i, float exponent) noexcept
{
    return std::pow(static_cast<float>(i) / 63.0f, exponent);
}

} // namespace

float curveExponent(int amount) noexcept
{
    if (amount >= 0)
        return 1.0f / (static_cast<float>(amount) / 10.0f + 1.0f);
    return static_cast<float>(-amount) / 10.0f + 1.0f;
}

int curveOf(int value, float exponent, bool inverted) noexcept
{
    const float raised = std::pow(static_cast<float>(value) / 255.0f, exponent);
    const float out = inverted ? 1.0f - raised : raised;
    return static_cast<int>(out * 255.0f);
}

Grid withColorCurves(const Grid& start, const CurveSettings& curves)
{
    // Only identity curves leave the pattern as it started: an inversion at amount 0 is
    // a curve the graph shows, and the cells follow it.
    if (curves == CurveSettings{})
        return start;
    std::array<float, 3> exponents{};
    for (std::size_t i = 0; i < exponents.size(); ++i)
        exponents[i] = curveExponent(curves.amounts[i]);
    Grid result = start;
    for (Cell& cell : result) {
        if (cell == 0)
            continue;
        cell = makeCell(curveOf(redOf(cell), exponents[0], curves.inverted[0]),
            curveOf(greenOf(cell), exponents[1], curves.inverted[1]),
            curveOf(blueOf(cell), exponents[2], curves.inverted[2]));
    }
    return result;
}

float curvePlotHeight(int i, float exponent, bool inverted) noexcept
{
    const float raised = plotPower(i, exponent);
    return inverted ? raised : 1.0f - raised;
}

float curveStripIntensity(int i, float exponent, bool inverted) noexcept
{
    const float raised = plotPower(i, exponent);
    return inverted ? 1.0f - raised : raised;
}

} // namespace quom
