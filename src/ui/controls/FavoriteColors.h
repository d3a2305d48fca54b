#pragma once

#include <array>
#include <cstdint>

// The colour picker's 16 favourite colours in the per-user settings store, each packed
// red-green-blue-alpha from the most significant byte down.
namespace quom {

using FavoriteColorList = std::array<std::uint32_t, 16>;

// A slot whose value is missing or not a 32-bit number reads 255.
FavoriteColorList readFavoriteColors();
// Replaces everything stored under the favourites with the 16 colours.
void writeFavoriteColors(const FavoriteColorList& colors);

} // namespace quom
