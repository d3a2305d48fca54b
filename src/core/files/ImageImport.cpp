#include "core/files/ImageImport.h"

#include <algorithm>
#include <array>
#include <vector>

namespace quom {
namespace {

// How much of each source pixel falls into each of the 64 target cells along one axis,
// in 64ths of a pixel: target cell t covers [t x size, (t + 1) x size), pixel i covers
// [64 i, 64 (i + 1)). The weights of one cell add up to size.
struct Share {
    int source;
    std::int64_t weight;
};

std::array<std::vector<Share>, 64> sharesAlong(int size)
{
    std::array<std::vector<Share>, 64> shares;
    for (int t = 0; t < 64; ++t) {
        const std::int64_t begin = std::int64_t{t} * size, end = std::int64_t{t + 1} * size;
        for (std::int64_t i = begin / 64; i * 64 < end; ++i) {
            const std::int64_t overlap = std::min(end, (i + 1) * 64) - std::max(begin, i * 64);
            if (overlap > 0)
                shares[static_cast<std::size_t>(t)].push_back({static_cast<int>(i), overlap});
        }
    }
    return shares;
}

constexpr int channelOf(std::uint32_t pixel, int channel) noexcept
{
    return static_cast<int>((pixel >> (16 - 8 * channel)) & 0xFF); // 0 red, 1 green, 2 blue
}

} // namespace

std::optional<Grid> importImage(int width, int height, std::span<const std::uint32_t> pixels)
{
    if (width <= 0 || height <= 0 || pixels.size() != std::size_t(width) * std::size_t(height))
        return std::nullopt;

    const auto across = sharesAlong(width);
    const auto down = sharesAlong(height);

    // First squeeze every source row to 64 weighted sums, then the columns of those.
    std::vector<std::array<std::int64_t, 3>> rows(std::size_t(height) * 64);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* line = pixels.data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < 64; ++x) {
            auto& sum = rows[std::size_t(y) * 64 + std::size_t(x)];
            for (const Share& s : across[static_cast<std::size_t>(x)])
                for (int c = 0; c < 3; ++c)
                    sum[static_cast<std::size_t>(c)] += s.weight * channelOf(line[s.source], c);
        }
    }

    const std::int64_t total = std::int64_t{width} * height;
    Grid cells{};
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 64; ++y) {
            std::array<std::int64_t, 3> sum{};
            for (const Share& s : down[static_cast<std::size_t>(y)])
                for (int c = 0; c < 3; ++c)
                    sum[static_cast<std::size_t>(c)] += s.weight
                        * rows[std::size_t(s.source) * 64 + std::size_t(x)][static_cast<std::size_t>(c)];
            auto average = [total](std::int64_t v) { return static_cast<int>((v + total / 2) / total); };
            cells[static_cast<std::size_t>(cellIndex(x, y))]
                = makeCell(average(sum[0]), average(sum[1]), average(sum[2]));
        }
    }
    return cells;
}

} // namespace quom
