#pragma once

#include "core/model/Cell.h"

#include <cstdint>
#include <optional>
#include <span>

// Turns a picture into a pattern: the whole image is stretched (not cropped, aspect ratio
// not kept) to 64 x 64, and pixel (x, y) from the top-left becomes the cell of column x,
// row y with its colour unchanged, so black pixels become empty cells.
namespace quom {

// pixels: width x height words 0x??RRGGBB (the top byte is ignored), the top row first.
// Each cell is the exact area average of the pixels it covers, rounded, so a region of one
// colour keeps that colour exactly and a 64 x 64 image is copied pixel for pixel. Nothing
// when the size is not positive or does not match the pixels.
std::optional<Grid> importImage(int width, int height, std::span<const std::uint32_t> pixels);

} // namespace quom
