#pragma once

#include <cstdint>

// The one process-wide random generator. Every random choice of Quom draws on it,
// in a fixed order, so that a result can be reproduced from a seed. The sequence is
// the classic linear congruential one (state x 214013 + 2531011, bits 16..30 out):
// unseeded it starts from state 1. The names keep clear of the C library's.
// Not thread-safe: random choices are made on the window thread only.
namespace quom {

constexpr int kRandMax = 32767;

// 0..32767.
int nextRandom() noexcept;
void seedRandom(std::uint32_t seed) noexcept;

// trunc(nextRandom() / 32767 * n), 0..n; n itself only when nextRandom() gives 32767.
std::uint16_t randomInt(int n) noexcept;

// nextRandom() / 32767 as a float, 0..1.
float randomUnit() noexcept;

} // namespace quom
