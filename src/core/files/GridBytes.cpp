#include "core/files/GridBytes.h"

namespace quom {

void writeGrid(ByteWriter& out, const Grid& cells)
{
    for (Cell c : cells)
        out.u32le(c);
}

std::optional<Grid> readGrid(ByteReader& in) noexcept
{
    if (in.remaining() < 4 * static_cast<std::size_t>(kCells))
        return std::nullopt;
    Grid cells;
    for (Cell& c : cells)
        c = *in.u32le();
    return cells;
}

} // namespace quom
