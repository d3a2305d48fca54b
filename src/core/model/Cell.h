#pragma once

#include <array>
#include <cstdint>

// A cell is a colour word 0x00BBGGRR: red = volume, green = pan, blue = speed.
// The word 0 is an empty cell; every other word is a note.
namespace quom {

using Cell = std::uint32_t;

constexpr int kColumns = 64;
constexpr int kRows = 64;
constexpr int kCells = kColumns * kRows;
constexpr int kPatternSlots = 16;
constexpr int kDefaultTempo = 120;
constexpr int kMinTempo = 1;
constexpr int kMaxTempo = 350;

// Column-major: a column (the 64 tracks of one step) is contiguous.
using Grid = std::array<Cell, kCells>;

constexpr int cellIndex(int column, int row) noexcept
{
    return column * kRows + row;
}

constexpr std::uint8_t redOf(Cell c) noexcept
{
    return static_cast<std::uint8_t>(c & 0xFF);
}
constexpr std::uint8_t greenOf(Cell c) noexcept
{
    return static_cast<std::uint8_t>((c >> 8) & 0xFF);
}
constexpr std::uint8_t blueOf(Cell c) noexcept
{
    return static_cast<std::uint8_t>((c >> 16) & 0xFF);
}

constexpr Cell makeCell(int red, int green, int blue) noexcept
{
    return static_cast<Cell>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

constexpr int clampTempo(int tempo) noexcept
{
    return tempo < kMinTempo ? kMinTempo : (tempo > kMaxTempo ? kMaxTempo : tempo);
}

} // namespace quom
