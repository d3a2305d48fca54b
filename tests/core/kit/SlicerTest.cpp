#include "core/kit/Slicer.h"
#include "core/io/WaveReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace quom {
namespace {

TEST(Slicer, SlicesTileTheSourceEvenWhereProductsPass32Bits)
{
    for (const std::uint64_t frames : {128ull, 130ull, 100'000'007ull, 0xFFFFFFFFull}) {
        std::uint64_t next = 0;
        for (int i = 0; i < kKitSlots; ++i) {
            const auto [begin, end] = sliceBounds(frames, i);
            EXPECT_EQ(begin, next) << frames << " slice " << i;
            EXPECT_TRUE(end - begin == frames / 64 || end - begin == frames / 64 + 1) << frames << " " << i;
            next = end;
        }
        EXPECT_EQ(next, frames);
    }
}

TEST(Slicer, NamesDropTheFolderAndOnlyTheLastExtension)
{
    EXPECT_EQ(slicePaths("in/a.b.wav", "out")[0], "out/a.b_kit01.wav");
    EXPECT_EQ(slicePaths("in/a.b.wav", "out")[9], "out/a.b_kit10.wav");
    EXPECT_EQ(slicePaths("my.dir/raw", "out//")[63], "out/raw_kit64.wav");
    EXPECT_EQ(slicePaths("song.wav", "/")[8], "/song_kit09.wav");
}

TEST(Slicer, EachFileHoldsItsFramesNormalisedOnItsOwnPeak)
{
    TempDir dir;
    std::vector<float> source(64 * 5 + 7);
    for (std::size_t f = 0; f < source.size(); ++f)
        source[f] = 0.001f * static_cast<float>(f + 1); // rising: a slice's peak is its last frame
    const auto silent = sliceBounds(source.size(), 10);
    std::fill(source.begin() + silent.begin, source.begin() + silent.end, 0.0f);

    std::vector<std::string> reported;
    const auto result
        = writeSlices(source, "x/rise.wav", dir.path(), [&](const std::string& p) { reported.push_back(p); });
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(result.paths, slicePaths("rise.wav", dir.path()));
    EXPECT_EQ(reported, std::vector<std::string>(result.paths.begin(), result.paths.end()));
    for (int i = 0; i < kKitSlots; ++i) {
        const auto wave = readWave(result.paths[i]);
        ASSERT_TRUE(wave);
        const auto [begin, end] = sliceBounds(source.size(), i);
        ASSERT_EQ(wave->samples.size(), end - begin) << i;
        for (std::uint64_t f = begin; f < end; ++f) {
            const float expected = i == 10 ? 0.0f : static_cast<float>(f + 1) / static_cast<float>(end);
            EXPECT_NEAR(wave->samples[f - begin], expected, 1.0 / 16384) << i << " frame " << f;
        }
    }
}

TEST(Slicer, ARefusedOrFailedSetChangesNoFileAndLeavesNoTemporaries)
{
    TempDir dir;
    const auto paths = slicePaths("s.wav", dir.path());
    const auto nameOf = [&](int i) { return paths[i].substr(dir.path().size() + 1); };
    for (int i = 0; i < kKitSlots; ++i)
        dir.write(nameOf(i), paths[i]); // each old file holds its own path
    std::filesystem::remove(paths[40]);
    std::filesystem::create_directory(paths[40]); // refuses only the rename of its slice
    const auto before = dir.entries();

    std::vector<float> source(127, 0.5f);
    EXPECT_EQ(writeSlices(source, "s.wav", dir.path()).failure, SliceFailure::TooShort);
    source.push_back(0.25f);
    const auto result = writeSlices(source, "s.wav", dir.path());
    EXPECT_EQ(result.failure, SliceFailure::Unwritable);
    EXPECT_EQ(result.failedPath, paths[40]);
    EXPECT_NE(result.error.find(paths[40]), std::string::npos);

    EXPECT_EQ(dir.entries(), before);
    for (int i = 0; i < kKitSlots; ++i) {
        if (i != 40) {
            EXPECT_EQ(dir.read(nameOf(i)), std::vector<std::uint8_t>(paths[i].begin(), paths[i].end()));
        }
    }
}

} // namespace
} // namespace quom
