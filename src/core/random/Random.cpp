#include "core/random/Random.h"

namespace quom {
namespace {
std::uint32_t state = 1;
}

int rand() noexcept
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

void srand(std::uint32_t seed) noexcept
{
    state = seed;
}

std::uint16_t randomInt(int n) noexcept
{
    return static_cast<std::uint16_t>(static_cast<double>(rand()) / 32767.0 * n);
}

float randomUnit() noexcept
{
    return static_cast<float>(rand()) / 32767.0f;
}

} // namespace quom
