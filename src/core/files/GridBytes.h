#pragma once

#include "core/io/Bytes.h"
#include "core/model/Cell.h"

#include <optional>

// A grid as the files store it: 4096 little-endian words in cell-index order.
namespace quom {

void writeGrid(ByteWriter& out, const Grid& cells);
// Nothing when fewer than 16384 bytes remain.
std::optional<Grid> readGrid(ByteReader& in) noexcept;

} // namespace quom
