#include "core/audio/SampleReading.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

// One second of a looping sine, read at a non-integer ratio.
void readSample(benchmark::State& state)
{
    quom::CInstrument inst;
    inst.loop = true;
    std::vector<float> sine;
    for (int i = 0; i < 44100; ++i)
        sine.push_back(std::sin(static_cast<float>(i) * 0.01f));
    inst.data = std::move(sine);
    const auto mode = static_cast<std::uint8_t>(state.range(0));

    float position = 0.0f;
    for (auto _ : state) {
        float sum = 0.0f;
        for (int i = 0; i < 4096; ++i) {
            sum += quom::SampleAt(inst, position, mode);
            position = quom::AdvancePosition(inst, position, 1.003f);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 4096);
}
BENCHMARK(readSample)->Arg(0)->Arg(1)->Arg(2);

} // namespace
