#include "core/audio/Engine.h"
#include "core/audio/WaveExport.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

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

// Random colours (never black) in the given share of the cells.
Grid painted(int percent)
{
    std::mt19937 gen(2);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> hundred(1, 100);
    Grid grid;
    for (auto& cell : grid)
        cell = hundred(gen) <= percent ? makeCell(byte(gen), byte(gen), byte(gen)) | 1 : 0;
    return grid;
}

void reportRealtime(benchmark::State& state, std::uint32_t framesPerIteration)
{
    state.SetItemsProcessed(state.iterations() * framesPerIteration);
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

} // namespace
