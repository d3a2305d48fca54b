#include "core/generators/WaveSequence.h"

#include "core/color/ColorVariation.h"
#include "core/random/Random.h"

#include <algorithm>
#include <cmath>

namespace quom {
namespace {

constexpr int kMaxPeriod = 10;
constexpr int kMinScale = 2;

// Truncating after every subtraction makes a cycle of fractional length restart on
// whole columns: period 3 restarts at columns 0, 22 and 44.
int cyclePosition(int x, double cycle) noexcept
{
    int t = x;
    while (t >= cycle)
        t = static_cast<int>(t - cycle);
    return t;
}

// The row offset before clamping. The cycle arithmetic (64 / period and what follows)
// is double, the nearer to the real numbers it stands for: where the exact offset is a
// whole number, float truncates one row off about three times as often.
int waveOffset(Wave wave, int period, int scale, const WaveRandoms& randoms, int x) noexcept
{
    const double cycle = 64.0 / period;
    switch (wave) {
    case Wave::Sine: {
        // The angle stays double: rounded to float, pi becomes 3.1415927, just above pi,
        // the sine turns negative and the line would start one row above its middle. The
        // sine term is single precision, so every zero crossing lands on the middle row.
        constexpr double kPi = 3.14159265358979;
        const float sine = static_cast<float>(std::sin(2.0 * kPi * period * x / 64.0 + kPi));
        return static_cast<int>((sine * 0.5f + 0.5f) * static_cast<float>(scale));
    }
    case Wave::Exp: {
        const double q = cyclePosition(x, cycle) / cycle;
        return scale - 1 - static_cast<int>(q * q * q * scale);
    }
    case Wave::Ramp:
        return static_cast<int>(cyclePosition(x, cycle) * static_cast<double>(scale) * period / 64.0);
    case Wave::Triangle: {
        const int t = cyclePosition(x, cycle);
        if (t < cycle / 2.0)
            return scale - 1 - static_cast<int>(t * static_cast<double>(scale) * period / 32.0);
        return static_cast<int>((t - cycle / 2.0) * scale * period / 32.0);
    }
    // The random values are single precision and so is their product with the scale.
    case Wave::SampleAndHold:
        return static_cast<int>(randoms[x / 4] * static_cast<float>(scale));
    case Wave::Random:
        return static_cast<int>(randoms[x] * static_cast<float>(scale));
    }
    return 0;
}

} // namespace

WaveRandoms drawWaveRandoms()
{
    WaveRandoms randoms{};
    for (float& r : randoms)
        r = randomUnit();
    return randoms;
}

void drawWaveSequence(Grid& grid, const WaveSettings& settings, const WaveRandoms& randoms)
{
    // Settings restored from a file may lie outside the window's ranges; held to them,
    // no cycle runs forever and no cell lands outside the grid.
    const int period = std::clamp(settings.period, 1, kMaxPeriod);
    const int scale = std::clamp(settings.scale, kMinScale, kRows);
    const int offsetX = std::clamp(settings.offsetX, 0, kColumns - 1);
    const int offsetY = std::clamp(settings.offsetY, 0, kRows - 1);
    for (int x = 0; x < kColumns; ++x) {
        const int d = std::clamp(waveOffset(settings.wave, period, scale, randoms, x), 0, scale - 1);
        int column = x + offsetX;
        if (column >= kColumns)
            column -= kColumns;
        int row = d + offsetY;
        if (row >= kRows)
            row -= kRows;
        if (settings.flipX)
            column = kColumns - 1 - column;
        if (settings.flipY)
            row = kRows - 1 - row;
        grid[cellIndex(column, row)]
            = lerpColor(settings.startColor, settings.endColor, static_cast<float>(column) / 64.0f);
    }
}

} // namespace quom
