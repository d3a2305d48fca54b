#include "core/files/ImageImport.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

namespace quom {
namespace {

using Sums = std::array<std::int64_t, 3>;

// How much of source pixel i falls into target cell t along an axis of size pixels, in
// 64ths of a pixel: cell t covers [t x size, (t + 1) x size), pixel i covers [64 i, 64 (i + 1)),
// so the weights of one cell add up to size. Computed as needed rather than tabled, since a
// table grows with the picture.
constexpr std::int64_t overlap(std::int64_t t, std::int64_t i, std::int64_t size) noexcept
{
    return std::min((t + 1) * size, (i + 1) * 64) - std::max(t * size, i * 64);
}

constexpr int channelOf(std::uint32_t pixel, int channel) noexcept
{
    return static_cast<int>((pixel >> (16 - 8 * channel)) & 0xFF); // 0 red, 1 green, 2 blue
}

// One source row squeezed to the 64 weighted sums of the columns it falls into.
std::array<Sums, 64> squeezeRow(const std::uint32_t* line, int width) noexcept
{
    std::array<Sums, 64> sums{};
    for (std::int64_t x = 0; x < 64; ++x) {
        auto& sum = sums[static_cast<std::size_t>(x)];
        for (std::int64_t i = x * width / 64; i * 64 < (x + 1) * width; ++i) {
            const std::int64_t weight = overlap(x, i, width);
            for (int c = 0; c < 3; ++c)
                sum[static_cast<std::size_t>(c)] += weight * channelOf(line[i], c);
        }
    }
    return sums;
}

} // namespace

std::optional<Grid> importImageRows(int width, int height, const PictureRows& rowAt)
{
    // A cell's sum reaches 255 x width x height.
    constexpr std::int64_t kMaxArea = std::numeric_limits<std::int64_t>::max() / 256;
    if (width <= 0 || height <= 0 || std::int64_t{width} * height > kMaxArea)
        return std::nullopt;

    // Each row is added to the cell rows it falls into as soon as it is read.
    std::vector<Sums> sums(64 * 64);
    for (std::int64_t y = 0; y < height; ++y) {
        const auto row = squeezeRow(rowAt(static_cast<int>(y)), width);
        for (std::int64_t t = y * 64 / height; t * height < (y + 1) * 64; ++t) {
            const std::int64_t weight = overlap(t, y, height);
            for (int x = 0; x < 64; ++x)
                for (std::size_t c = 0; c < 3; ++c)
                    sums[static_cast<std::size_t>(cellIndex(x, static_cast<int>(t)))][c]
                        += weight * row[static_cast<std::size_t>(x)][c];
        }
    }

    const std::int64_t total = std::int64_t{width} * height;
    auto average = [total](std::int64_t v) { return static_cast<int>((v + total / 2) / total); };
    Grid cells{};
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = makeCell(average(sums[i][0]), average(sums[i][1]), average(sums[i][2]));
    return cells;
}

std::optional<Grid> importImage(int width, int height, std::span<const std::uint32_t> pixels)
{
    if (width <= 0 || height <= 0 || pixels.size() != std::size_t(width) * std::size_t(height))
        return std::nullopt;
    return importImageRows(
        width, height, [&](int y) { return pixels.data() + std::size_t(y) * std::size_t(width); });
}

} // namespace quom
