#include "core/generators/CellFilter.h"

namespace quom {

namespace {

int filtered(int value, int filterValue, float amount) noexcept
{
    const float f = static_cast<float>(filterValue) / 255.0f;
    const float v = static_cast<float>(value) / 255.0f;
    return static_cast<int>((1.0f - (1.0f - f) * amount) * v * 255.0f);
}

} // namespace

void applyCellFilter(Grid& pattern, const Grid& filter, int destination, int amount)
{
    const float a = static_cast<float>(amount) / 100.0f;
    const int shift = 8 * (destination < 0 || destination > 2 ? 0 : destination);
    for (int i = 0; i < kCells; ++i) {
        const Cell cell = pattern[i];
        const int value = static_cast<int>((cell >> shift) & 0xFF);
        const int f = static_cast<int>((filter[i] >> shift) & 0xFF);
        pattern[i] = (cell & ~(Cell{0xFF} << shift)) | (static_cast<Cell>(filtered(value, f, a)) << shift);
    }
}

} // namespace quom
