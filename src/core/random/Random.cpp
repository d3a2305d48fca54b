#include "core/random/Random.h"

namespace quom {
namespace {
std::uint32_t state = 1;
}

int nextRandom() noexcept
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

void seedRandom(std::uint32_t seed) noexcept
{
    state = seed;
}

std::uint16_t randomInt(int n) noexcept
{
    return static_cast<std::uint16_t>(static_cast<double>(nextRandom()) / 32767.0 * n);
}

float randomUnit() noexcept
{
    return static_cast<float>(nextRandom()) / 32767.0f;
}

} // namespace quom
