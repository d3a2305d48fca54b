#include "core/audio/Engine.h"
#include "core/audio/StemRender.h"
#include "core/audio/WaveExport.h"

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using namespace quom;

constexpr int kSampleRate = 44100;

// 64 slots of one-second noise, no loop, no fade.
std::shared_ptr<const CKit> benchKit()
{
    auto kit = std::make_shared<CKit>();
    std::mt19937 gen(1);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    for (int s = 0; s < kKitSlots; ++s) {
        CInstrument& i = kit->slot(s);
        i.name = "noise.wav";
        std::vector<float> noise(kSampleRate);
        for (auto& v : noise)
            v = u(gen);
        i.data = std::move(noise);
    }
    return kit;
}

// Random colours (never black) in the given share of the cells; another seed, another pattern.
Grid painted(int percent, unsigned seed = 2)
{
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> hundred(1, 100);
    Grid grid;
    for (auto& cell : grid)
        cell = hundred(gen) <= percent ? makeCell(byte(gen), byte(gen), byte(gen)) | 1 : 0;
    return grid;
}

void reportRealtime(benchmark::State& state, std::uint64_t framesPerIteration)
{
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * framesPerIteration));
    // Seconds of sound per second of computing (of waiting, in real time): the
    // real-time factor.
    state.counters["realtime"]
        = benchmark::Counter(static_cast<double>(state.iterations()) * framesPerIteration / kSampleRate,
            benchmark::Counter::kIsRate);
}

// One pass of the pattern at 120 BPM (8 seconds) in one call, as the wave export does.
void renderPass(benchmark::State& state)
{
    const Grid grid = painted(static_cast<int>(state.range(0)));
    TempoValue tempo(120);
    Engine engine(grid);
    engine.setTempoSource(&tempo);
    engine.setKit(benchKit());
    engine.setInterpolation(static_cast<std::uint8_t>(state.range(1)));
    engine.setGain(0.8f);

    const std::uint32_t frames = 42336000 / 120;
    std::vector<float> out(2 * static_cast<std::size_t>(frames));
    for (auto _ : state) {
        engine.Reset();
        engine.Render(frames, out.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    reportRealtime(state, frames);
}

// The pass as the Export command and quom render make it: renderPass, its columns
// spread over the cores, the output buffer included. Wall-clock time.
void renderPassAllCores(benchmark::State& state)
{
    const Grid grid = painted(static_cast<int>(state.range(0)));
    const auto kit = benchKit();
    const PassSettings settings{120, static_cast<std::uint8_t>(state.range(1)), 0.8f};
    for (auto _ : state) {
        const auto out = quom::renderPass(grid, kit, settings);
        benchmark::DoNotOptimize(out.data());
    }
    reportRealtime(state, passFrames(120));
}

void passArgs(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"painted%", "mode"});
    for (const int mode : {1, 2})
        for (const int percent : {0, 25, 100})
            b->Args({percent, mode});
    b->Unit(benchmark::kMillisecond);
}
BENCHMARK(renderPass)->Apply(passArgs);
BENCHMARK(renderPassAllCores)->Apply(passArgs)->UseRealTime();

// A song of four different patterns, equally painted, one pass each at 90, 120, 150 and 175
// BPM, as the Export command renders it with the song on: per second of sound, as fast as
// one pattern's pass should be.
struct FourPatternSong {
    explicit FourPatternSong(int percent)
    {
        for (unsigned i = 0; i < patterns.size(); ++i)
            patterns[i] = painted(percent, 2 + i);
        std::array<std::int32_t, kPatternSlots> tempos{};
        tempos.fill(kDefaultTempo);
        tempos[0] = 90;
        tempos[1] = 120;
        tempos[2] = 150;
        tempos[3] = 175;
        passes = songPasses({{0, 1}, {1, 1}, {2, 1}, {3, 1}}, tempos, 1);
    }

    std::array<Grid, 4> patterns{};
    LoopPasses passes;
};

void renderSongAllCores(benchmark::State& state)
{
    const FourPatternSong song(static_cast<int>(state.range(0)));
    const auto kit = benchKit();
    const LoopSettings settings{static_cast<std::uint8_t>(state.range(1)), 0.8f};
    for (auto _ : state) {
        const auto out = renderLoop(song.patterns, song.passes, kit, settings);
        benchmark::DoNotOptimize(out.data());
    }
    reportRealtime(state, loopFrames(song.passes));
}
BENCHMARK(renderSongAllCores)->Apply(passArgs)->UseRealTime();

// The stems of that song, one 16-bit file per row into a folder in /tmp, as Export stems
// writes them (the mix given): per second of the song's sound.
void writeSongStems(benchmark::State& state)
{
    const FourPatternSong song(static_cast<int>(state.range(0)));
    const auto kit = benchKit();
    const LoopSettings settings{1, 0.8f};
    const auto mix = renderLoop(song.patterns, song.passes, kit, settings);
    char folder[] = "/tmp/quom-bench-XXXXXX";
    const std::string dir = mkdtemp(folder);
    for (auto _ : state) {
        const auto written = writeStems(
            dir, song.patterns, song.passes, kit, settings, StemGrouping::Rows, StemFormat::Pcm16, mix);
        if (!written.result)
            state.SkipWithError(written.result.error.c_str());
    }
    std::filesystem::remove_all(dir);
    reportRealtime(state, loopFrames(song.passes));
}
BENCHMARK(writeSongStems)
    ->ArgName("painted%")
    ->Arg(25)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
