#pragma once

#include "core/model/Cell.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

// Turns a picture into a pattern: the whole image is stretched (not cropped, aspect ratio
// not kept) to 64 x 64, and pixel (x, y) from the top-left becomes the cell of column x,
// row y with its colour unchanged, so black pixels become empty cells.
namespace quom {

// Hands out row y of a picture as width words 0x??RRGGBB (the top byte is ignored). Rows
// are asked for once each, top first; a row need stay valid only until the next is asked for.
using PictureRows = std::function<const std::uint32_t*(int y)>;

// Each cell is the exact area average of the pixels it covers, rounded, so a region of one
// colour keeps that colour exactly and a 64 x 64 image is copied pixel for pixel. Besides
// the row in hand, the work keeps only the sums of the 64 x 64 cells, whatever the shape.
// Nothing when the size is not positive or too large for the sums (width x height
// of 2^55 or more).
std::optional<Grid> importImageRows(int width, int height, const PictureRows& rowAt);

// The same for pixels held in one block, the top row first. Nothing when the size is not
// positive or does not match the pixels.
std::optional<Grid> importImage(int width, int height, std::span<const std::uint32_t> pixels);

} // namespace quom
