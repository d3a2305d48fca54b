#include "AllocationCounter.h"

#include "core/audio/Engine.h"
#include "core/audio/Recorder.h"
#include "core/sync/MidiClock.h"
#include "core/sync/MidiClockSync.h"
#include "support/Instruments.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <memory>
#include <random>
#include <vector>

namespace {

using namespace quom;

constexpr std::uint32_t kOneSecond = 44100;

std::vector<float> noise(std::mt19937& gen, std::size_t frames)
{
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    std::vector<float> v(frames);
    for (auto& x : v)
        x = u(gen);
    return v;
}

// Short and long samples, looped and faded in turn, so every mixing path plays.
std::shared_ptr<const CKit> noiseKit(std::mt19937& gen)
{
    auto kit = std::make_shared<CKit>();
    for (int s = 0; s < kKitSlots; ++s)
        kit->slot(s)
            = instrumentOf(noise(gen, 300 + 997 * static_cast<std::size_t>(s)), s % 3 == 0, s % 2 == 0);
    return kit;
}

TEST(AllocationCounter, CountsAllocationsInTheSection)
{
    AllocationCounter counter;
    auto owned = std::make_unique<int>(1);
    std::vector<int> grown(100);
    EXPECT_EQ(counter.count(), 2u);
}

// The audio callback's work (Engine::Render with its MIDI messages, then the recorder's
// capture) for one second of the fully painted pattern, while the window thread swaps
// kits, starts and stops previews and auditions, resets, stops and plays, changes tempo,
// interpolation, MIDI mapping and own sound between blocks of changing sizes, some longer
// than the engine's chunk; part of the time it follows a MIDI clock.
TEST(RenderAllocations, OneSecondOfDensePlaybackAllocatesNothing)
{
    std::mt19937 gen(7);
    const std::array kits{noiseKit(gen), noiseKit(gen)};
    const std::array sounds{std::make_shared<const CInstrument>(instrumentOf(noise(gen, 5000))),
        std::make_shared<const CInstrument>(instrumentOf(noise(gen, 90000)))};
    LiveGrid grid;
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < kCells; ++i)
        grid.set(i, makeCell(byte(gen), byte(gen), byte(gen)) | 1);
    TempoValue tempo(120);
    Engine engine;
    engine.setPattern(&grid);
    engine.setTempoSource(&tempo);
    engine.setPlaying(true);
    TempDir dir;
    Recorder recorder;
    ASSERT_TRUE(recorder.start(dir.file("take.wav")));

    const std::array<std::uint32_t, 5> blockSizes{64, 256, 441, 1024, 4500};
    std::vector<float> out(2 * 4500);
    std::size_t allocations = 0;
    double loudness = 0.0;
    std::size_t midiMessages = 0;
    std::uint32_t played = 0;
    MidiClockSync clock(MidiClockSync::Timebase::Frames, static_cast<int>(kOneSecond), 120);
    constexpr std::uint32_t kPulseFrames = 900; // 122.5 BPM
    std::uint32_t nextPulse = 0;
    for (int block = 0; played < kOneSecond; ++block) {
        if (block % 7 == 0)
            engine.setKit(kits[block / 7 % 2]);
        if (block % 5 == 0)
            engine.StartPreview(block % kKitSlots, makeCell(200, 100, block % 256));
        if (block % 17 == 0)
            engine.StopPreview();
        if (block % 11 == 0)
            engine.startAudition(sounds[block / 11 % 2]);
        if (block % 23 == 0)
            engine.stopAudition();
        if (block % 29 == 0) {
            tempo.set(60 + block);
            engine.setInterpolation(static_cast<std::uint8_t>(block / 29 % 3));
        }
        if (block % 31 == 0)
            engine.Reset();
        if (block % 13 == 0)
            engine.midiOut().setMapping(block / 13 % 2 == 0 ? MidiMapping::Rows : MidiMapping::Export);
        if (block % 19 == 0)
            engine.setOwnSound(block / 19 % 2 == 1);
        engine.setPlaying(block % 37 != 36); // a stop ends the sounding notes
        const std::uint32_t frames = std::min(blockSizes[block % blockSizes.size()], kOneSecond - played);
        {
            AllocationCounter counter;
            const bool follow = played > kOneSecond / 2;
            if (follow && nextPulse == 0) {
                const std::uint8_t start[] = {kMidiStart};
                clock.receive(start, played);
                nextPulse = played;
            }
            for (; follow && nextPulse < played + frames; nextPulse += kPulseFrames) {
                const std::uint8_t pulse[] = {kMidiClock};
                clock.receive(pulse, nextPulse);
            }
            const std::optional<BlockSync> sync = clock.blockSync({played, frames, 0, 44100});
            engine.Render(frames, out.data(), sync ? &*sync : nullptr);
            recorder.capture(out.data(), frames);
            allocations += counter.count();
        }
        midiMessages += engine.midiOut().events().size();
        for (std::uint32_t i = 0; i < 2 * frames; ++i)
            loudness += std::fabs(out[i]);
        played += frames;
    }

    EXPECT_EQ(allocations, 0u);
    EXPECT_GT(loudness, 0.0); // the pattern did play
    EXPECT_GT(midiMessages, 0u);
    EXPECT_TRUE(recorder.stop());
    EXPECT_GE(std::filesystem::file_size(dir.file("take.wav")), 4u * kOneSecond);
}

} // namespace
