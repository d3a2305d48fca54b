#include "core/kit/StarterKit.h"
#include "core/audio/Volume.h"
#include "core/audio/WaveExport.h"
#include "core/edit/ToolOptions.h"
#include "core/kit/Kit.h"
#include "core/kit/KitEdits.h"
#include "core/kit/StarterSounds.h"
#include "core/random/Random.h"
#include "core/settings/Settings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iterator>

namespace {

using quom::starterSound;

constexpr double kRate = 44100.0;

std::vector<float> normalised(std::vector<float> s)
{
    float peak = 0.0f;
    for (const float v : s)
        peak = std::max(peak, std::abs(v));
    for (float& v : s)
        v /= peak;
    return s;
}

// dBFS of the loudest stretch of `seconds`.
double loudestRms(const std::vector<float>& s, double seconds)
{
    const std::size_t window = static_cast<std::size_t>(seconds * kRate);
    double sum = 0.0, best = 0.0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        sum += s[i] * s[i];
        if (i >= window)
            sum -= s[i - window] * s[i - window];
        best = std::max(best, sum / static_cast<double>(window));
    }
    return 10.0 * std::log10(best);
}

// The fundamental from the autocorrelation of a tenth of a second after the attack:
// the first lag whose correlation comes near the best, refined by a parabola.
double fundamentalOf(const std::vector<float>& s)
{
    constexpr int kStart = 4410, kWindow = 4096, kMinLag = 16, kMaxLag = 1000;
    std::vector<double> r(kMaxLag + 2);
    for (int lag = kMinLag - 1; lag <= kMaxLag + 1; ++lag) {
        double product = 0.0, energy0 = 0.0, energy1 = 0.0;
        for (int i = kStart; i < kStart + kWindow; ++i) {
            product += s[i] * s[i + lag];
            energy0 += s[i] * s[i];
            energy1 += s[i + lag] * s[i + lag];
        }
        r[lag] = product / std::sqrt(energy0 * energy1);
    }
    const double best = *std::max_element(r.begin() + kMinLag, r.end() - 1);
    for (int lag = kMinLag; lag <= kMaxLag; ++lag) {
        if (r[lag] >= 0.9 * best && r[lag] >= r[lag - 1] && r[lag] >= r[lag + 1]) {
            const double shift = (r[lag - 1] - r[lag + 1]) / (2.0 * (r[lag - 1] - 2.0 * r[lag] + r[lag + 1]));
            return kRate / (lag + shift);
        }
    }
    return 0.0;
}

// The data chunk of a file as the writer lays it out: right after the 44-byte header.
std::vector<std::int16_t> samplesOfWave(const std::vector<std::uint8_t>& file)
{
    const std::size_t dataBytes = file[40] | file[41] << 8 | file[42] << 16 | file[43] << 24;
    std::vector<std::int16_t> out;
    for (std::size_t i = 44; i + 1 < 44 + dataBytes; i += 2)
        out.push_back(static_cast<std::int16_t>(file[i] | (file[i + 1] << 8)));
    return out;
}

struct WrittenKit {
    TempDir dir;
    quom::AppFolders folders = quom::buildFolders(dir.path() + "/");
    quom::WriteResult result;
    WrittenKit()
    {
        quom::createFolders(folders);
        result = quom::writeStarterKit(folders);
    }
    std::vector<std::uint8_t> wave(int row) const
    {
        return dir.read(std::string("Waves/") + quom::kStarterFolder + "/" + quom::starterFileName(row));
    }
};

TEST(StarterKit, PitchedRowsRiseChromaticallyFromC2OnTheBottomRow)
{
    for (int row = quom::kStarterDrumRows; row < quom::kKitSlots; ++row) {
        const int note = 36 + 63 - row; // C2 on the bottom row
        const double expected = 440.0 * std::pow(2.0, (note - 69) / 12.0);
        const double cents = 1200.0 * std::log2(fundamentalOf(starterSound(row)) / expected);
        EXPECT_LT(std::abs(cents), 5.0)
            << "row " << row << " is " << cents << " cents off MIDI note " << note;
    }
}

TEST(StarterKit, EverySoundIsShortAudibleBalancedAndFreeOfClicks)
{
    const double kick = loudestRms(normalised(starterSound(0)), 0.4);
    for (int row = 0; row < quom::kKitSlots; ++row) {
        SCOPED_TRACE("row " + std::to_string(row));
        const std::vector<float> s = normalised(starterSound(row));
        ASSERT_GT(s.size(), 0.05 * kRate) << "too short to be heard as a note";
        EXPECT_LE(s.size(), 1.05 * kRate) << "tails stay within about a second";
        EXPECT_GT(loudestRms(s, 0.1), -18.0) << "a faint sound next to the others";
        if (row >= quom::kStarterDrumRows) {
            const double note = loudestRms(s, 0.4);
            EXPECT_LT(note, kick) << "a note would drown the kick";
            EXPECT_GT(note, kick - 10.0) << "a note would vanish under the kick";
        }
        // A step at the start or the end of a sample is heard as a click.
        EXPECT_LT(std::abs(s.front()), 0.001f);
        for (std::size_t i = 1; i < 8; ++i)
            EXPECT_LT(std::abs(s[i]), 0.1f) << "the attack jumps at sample " << i;
        for (std::size_t i = s.size() - static_cast<std::size_t>(0.005 * kRate); i < s.size(); ++i)
            ASSERT_LT(std::abs(s[i]), 0.01f) << "the tail is cut off at sample " << i;
    }
}

TEST(StarterKit, WritesSixtyFourWavesAndADefaultKitThatLoadsThem)
{
    const WrittenKit written;
    ASSERT_TRUE(written.result) << written.result.error;

    quom::CKit kit;
    const auto loaded = kit.Load(written.folders.kitsFolder + "/default.kit", quom::FileRate::AsIf44100);
    ASSERT_TRUE(loaded.opened);
    EXPECT_TRUE(loaded.failedSamples.empty());
    const std::string folder = written.folders.wavesFolder + "/" + quom::kStarterFolder;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), quom::kKitSlots);
    for (int row = 0; row < quom::kKitSlots; ++row) {
        SCOPED_TRACE("row " + std::to_string(row));
        EXPECT_EQ(kit.slot(row).name, folder + "/" + quom::starterFileName(row)) << "named by full path";
        EXPECT_FALSE(kit.slot(row).data.empty());

        const auto file = written.wave(row);
        ASSERT_GT(file.size(), 44u);
        EXPECT_EQ(file[22] | file[23] << 8, 1) << "mono";
        EXPECT_EQ(file[24] | file[25] << 8 | file[26] << 16, 44100);
        EXPECT_EQ(file[34], 16);
        // Normalised to the starter level and not beyond: a run of samples at the
        // peak would be a clipped, flat-topped wave.
        const int level = static_cast<int>(quom::kStarterPeak * 32767.0f);
        int run = 0, longestRun = 0, peak = 0;
        for (const std::int16_t v : samplesOfWave(file)) {
            peak = std::max(peak, std::abs(static_cast<int>(v)));
            run = std::abs(static_cast<int>(v)) >= level - 1 ? run + 1 : 0;
            longestRun = std::max(longestRun, run);
        }
        EXPECT_EQ(peak, level);
        EXPECT_LE(longestRun, 2);

        // The kit editor names a piano row's key as its file names it.
        const auto key = quom::starterRootKey(row);
        EXPECT_EQ(kit.slot(row).rootKey, key.value_or(60));
        EXPECT_EQ(key.has_value(), row >= quom::kStarterDrumRows);
        if (key) {
            EXPECT_EQ(quom::starterFileName(row), "epiano-" + quom::keyName(*key) + ".wav");
        }
    }
    EXPECT_EQ(kit.slot(quom::kKitSlots - 1).rootKey, 36);
    EXPECT_EQ(quom::starterFileName(quom::kKitSlots - 1), "epiano-C3.wav");
}

// A first beat as a newcomer paints it, four bars of it: kick on the beats, snare on two
// and four, closed hats between, and a four-note chord on each bar's first step, every
// cell the pencil's colour, at the default volume and interpolation.
std::vector<float> firstBeat(const quom::CKit& kit)
{
    const quom::Cell pencil = quom::ToolOptions{}.pencilColor;
    quom::Grid grid{};
    for (int column = 0; column < quom::kColumns; ++column) {
        const int step = column % 16;
        if (step % 4 == 0)
            grid[quom::cellIndex(column, 0)] = pencil;
        if (step == 4 || step == 12)
            grid[quom::cellIndex(column, 1)] = pencil;
        if (step % 4 == 2)
            grid[quom::cellIndex(column, 3)] = pencil;
        if (step == 0) {
            for (const int row : {40, 44, 47, 51}) // a seventh chord in the middle
                grid[quom::cellIndex(column, row)] = pencil;
        }
    }
    return quom::renderPass(grid, std::make_shared<const quom::CKit>(kit),
        {quom::kDefaultTempo, quom::Settings{}.interpolation, quom::volumeGain(quom::kDefaultVolume)});
}

// The largest jump between two frames where one step meets the next.
float largestStepJump(const std::vector<float>& out)
{
    const std::size_t step = static_cast<std::size_t>(quom::framesPerStep(quom::kDefaultTempo));
    float jump = 0.0f;
    for (std::size_t frame = step; frame < out.size() / 2; frame += step) {
        for (std::size_t channel = 0; channel < 2; ++channel)
            jump = std::max(jump, std::abs(out[2 * frame + channel] - out[2 * (frame - 1) + channel]));
    }
    return jump;
}

TEST(StarterKit, AFirstBeatStaysBelowFullScaleAndMeetsEachStepWithoutAClick)
{
    const WrittenKit written;
    ASSERT_TRUE(written.result) << written.result.error;
    quom::CKit kit;
    ASSERT_TRUE(kit.Load(written.folders.kitsFolder + "/default.kit", quom::FileRate::AsIf44100).opened);

    const std::vector<float> beat = firstBeat(kit);
    const float peak = std::abs(*std::max_element(
        beat.begin(), beat.end(), [](float a, float b) { return std::abs(a) < std::abs(b); }));
    EXPECT_LT(peak, 1.0f);
    EXPECT_GT(peak, 0.25f) << "headroom, not silence";
    EXPECT_LT(largestStepJump(beat), 0.03f);

    // What the fades spare: the same beat with the sounds cut hard at each step.
    for (int row = 0; row < quom::kKitSlots; ++row)
        kit.slot(row).fade = false;
    EXPECT_GT(largestStepJump(firstBeat(kit)), 0.1f);
}

TEST(StarterKit, IsTheSameBytesEveryTimeAndLeavesTheSharedGeneratorAlone)
{
    quom::seedRandom(7);
    const int expected = quom::nextRandom();
    quom::seedRandom(7);
    const WrittenKit first;
    EXPECT_EQ(quom::nextRandom(), expected) << "the kit drew on the shared random generator";
    const WrittenKit second;
    ASSERT_TRUE(first.result && second.result);
    for (int row = 0; row < quom::kKitSlots; ++row)
        EXPECT_EQ(first.wave(row), second.wave(row)) << "row " << row;
}

TEST(StarterKit, AFolderThatCannotBeMadeIsNamedAndNoKitIsWritten)
{
    TempDir dir;
    const auto folders = quom::buildFolders(dir.path() + "/");
    quom::createFolders(folders);
    std::filesystem::remove(folders.wavesFolder);
    dir.write("Waves", std::string("not a folder"));

    const auto result = quom::writeStarterKit(folders);
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find(folders.wavesFolder + "/" + quom::kStarterFolder), std::string::npos)
        << result.error;
    EXPECT_FALSE(dir.exists("Kits/default.kit"));
}

} // namespace
