#include "core/audio/StemRender.h"
#include "core/io/WaveWriter.h"
#include "support/Instruments.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <random>

namespace {

using namespace quom;

std::vector<float> noise(std::size_t frames, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    std::vector<float> data(frames);
    for (auto& v : data)
        v = value(gen);
    return data;
}

// Slots 0..19 sound; the rest stay empty, so their painted rows are silent.
std::shared_ptr<CKit> kitOfTwenty()
{
    auto kit = std::make_shared<CKit>();
    for (int s = 0; s < 20; ++s)
        kit->slot(s)
            = instrumentOf(noise(9000 + 300 * static_cast<std::size_t>(s), static_cast<unsigned>(s)));
    kit->slot(6).name = "/kits/Snare drum (Wet)#2.wav";
    return kit;
}

std::array<Grid, kPatternSlots> patternsOnRows(std::initializer_list<int> rows)
{
    std::array<Grid, kPatternSlots> patterns{};
    std::mt19937 gen(5);
    std::uniform_int_distribution<int> byte(0, 255);
    for (auto& grid : patterns) {
        for (int row : rows) {
            for (int column = 0; column < kColumns; column += 3)
                grid[cellIndex(column, row)] = makeCell(byte(gen), byte(gen), byte(gen)) | 1;
        }
    }
    return patterns;
}

std::vector<float> floatSamples(const std::vector<std::uint8_t>& file)
{
    constexpr std::size_t kData = 58;
    std::vector<float> out((file.size() - kData) / 4);
    std::memcpy(out.data(), file.data() + kData, 4 * out.size());
    return out;
}

std::vector<std::int16_t> pcmSamples(const std::vector<std::uint8_t>& file)
{
    constexpr std::size_t kData = 44;
    std::vector<std::int16_t> out((file.size() - kData) / 2);
    std::memcpy(out.data(), file.data() + kData, 2 * out.size());
    return out;
}

const std::array<std::int32_t, kPatternSlots> kTempos{
    120, 333, 175, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120};

TEST(SongRenderStems, RowsThatSoundAreNamedAfterTheirSamplesAndAddUpToTheMix)
{
    const auto kit = kitOfTwenty();
    const auto patterns = patternsOnRows({0, 6, 19, 30}); // row 30's slot is empty
    const auto passes = songPasses({{1, 1}, {2, 2}}, kTempos, 1);
    const LoopSettings settings{1, 0.5f};
    const auto mix = renderLoop(patterns, passes, kit, settings);

    for (const StemFormat format : {StemFormat::Float, StemFormat::Pcm16}) {
        const TempDir dir;
        const auto written
            = writeStems(dir.path(), patterns, passes, kit, settings, StemGrouping::Rows, format, mix);
        ASSERT_TRUE(written.result) << written.result.error;
        EXPECT_EQ(dir.entries(),
            (std::vector<std::string>{"01-test.wav", "07-Snare_drum__Wet__2.wav", "20-test.wav"}));
        ASSERT_EQ(written.files.size(), 3u);
        EXPECT_EQ(written.mixPeak, peakOf(mix));

        if (format == StemFormat::Float) {
            std::vector<float> sum(mix.size());
            for (const auto& name : dir.entries()) {
                const auto stem = floatSamples(dir.read(name));
                ASSERT_EQ(stem.size(), mix.size()) << name;
                for (std::size_t i = 0; i < sum.size(); ++i)
                    sum[i] += stem[i];
            }
            for (std::size_t i = 0; i < sum.size(); ++i)
                ASSERT_NEAR(sum[i], mix[i], 1e-5f * written.mixPeak) << "sample " << i;
        } else {
            std::vector<float> normalised = mix;
            const auto mixPcm = pcmSamples(encodeWave16(normalised, 2));
            std::vector<int> sum(mixPcm.size());
            for (const auto& name : dir.entries()) {
                const auto stem = pcmSamples(dir.read(name));
                ASSERT_EQ(stem.size(), mixPcm.size()) << name;
                for (std::size_t i = 0; i < sum.size(); ++i)
                    sum[i] += stem[i];
            }
            // Each file truncates toward zero: at most one step apiece.
            for (std::size_t i = 0; i < sum.size(); ++i)
                ASSERT_LE(std::abs(sum[i] - mixPcm[i]), 4) << "sample " << i;
        }
    }
}

TEST(SongRenderStems, BlocksGroupSixteenRowsAndAStemLouderThanTheMixSetsTheSharedPeak)
{
    // Rows 1 and 2 play opposite sounds at once: the mix cancels them, the stems do not.
    auto kit = std::make_shared<CKit>();
    auto sound = noise(5000, 1);
    kit->slot(1) = instrumentOf(sound);
    for (auto& v : sound)
        v = -v;
    kit->slot(20) = instrumentOf(sound);
    kit->slot(3) = instrumentOf(std::vector<float>(5000, 0.01f));
    std::array<Grid, kPatternSlots> patterns{};
    patterns[0][cellIndex(4, 1)] = makeCell(255, 128, 128);
    patterns[0][cellIndex(4, 20)] = makeCell(255, 128, 128);
    patterns[0][cellIndex(9, 3)] = makeCell(255, 128, 128);
    const auto passes = patternPasses(0, 200, 1);
    const auto mix = renderLoop(patterns, passes, kit, {});

    const TempDir dir;
    const auto written
        = writeStems(dir.path(), patterns, passes, kit, {}, StemGrouping::Blocks, StemFormat::Pcm16, mix);
    ASSERT_TRUE(written.result) << written.result.error;
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"rows-01-16.wav", "rows-17-32.wav"}));
    EXPECT_GT(written.mixPeak, 10 * peakOf(mix));

    std::vector<float> normalised = mix;
    const auto mixPcm = pcmSamples(
        encodeWave16(normalised, 2, {.peak = 1.0f, .rootKey = {}, .sharedPeak = written.mixPeak}));
    const auto first = pcmSamples(dir.read("rows-01-16.wav"));
    const auto second = pcmSamples(dir.read("rows-17-32.wav"));
    ASSERT_EQ(first.size(), mixPcm.size());
    ASSERT_EQ(second.size(), mixPcm.size());
    const auto loudest = std::max_element(
        first.begin(), first.end(), [](auto a, auto b) { return std::abs(a) < std::abs(b); });
    EXPECT_GT(std::abs(*loudest), 32000); // its peak is full scale, not clipped
    for (std::size_t i = 0; i < mixPcm.size(); ++i)
        ASSERT_LE(std::abs(first[i] + second[i] - mixPcm[i]), 3) << "sample " << i;
}

TEST(SongRenderStems, NothingPaintedWritesNothing)
{
    const std::array<Grid, kPatternSlots> patterns{};
    const auto passes = patternPasses(0, 120, 2);
    const TempDir dir;
    const auto written = writeStems(dir.path(), patterns, passes, std::make_shared<CKit>(), {},
        StemGrouping::Rows, StemFormat::Float, renderLoop(patterns, passes, nullptr, {}));
    EXPECT_TRUE(written.result);
    EXPECT_TRUE(dir.entries().empty());
    const auto failed = writeStems(dir.file("missing"), patternsOnRows({0}), passes, kitOfTwenty(), {},
        StemGrouping::Rows, StemFormat::Float, {});
    EXPECT_FALSE(failed.result);
    EXPECT_NE(failed.result.error.find("missing/01-test.wav"), std::string::npos) << failed.result.error;
}

} // namespace
