#include "core/files/GridBytes.h"

namespace quom {

void writeGrid(ByteWriter& out, const Grid& cells)
{
    // In one piece: a project is written whole whenever unsaved work is looked for.
    std::vector<std::uint8_t>& bytes = out.bytes();
    const std::size_t at = bytes.size();
    bytes.resize(at + 4 * cells.size());
    std::uint8_t* p = bytes.data() + at;
    for (const Cell c : cells) {
        p[0] = static_cast<std::uint8_t>(c);
        p[1] = static_cast<std::uint8_t>(c >> 8);
        p[2] = static_cast<std::uint8_t>(c >> 16);
        p[3] = static_cast<std::uint8_t>(c >> 24);
        p += 4;
    }
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
