#include "core/audio/WaveExport.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace quom {
namespace {

constexpr int kMaxRenderThreads = 16;

// Columns handed out one at a time to the engines that render a pass. The last
// column's frames run on to the end of the pass, into column 0 again when 64 steps
// fall short of it, as one engine playing the whole pass does.
class ColumnQueue {
public:
    ColumnQueue(std::uint32_t passFrames, int samplesPerStep, float* out) noexcept
        : passFrames_(passFrames)
        , samplesPerStep_(static_cast<std::uint32_t>(samplesPerStep))
        , out_(out)
    {
    }

    void renderWith(Engine& engine) noexcept
    {
        for (int column; (column = next_.fetch_add(1, std::memory_order_relaxed)) < kColumns;) {
            const std::uint32_t first = static_cast<std::uint32_t>(column) * samplesPerStep_;
            const std::uint32_t end = column + 1 == kColumns ? passFrames_ : first + samplesPerStep_;
            engine.Reset(column);
            engine.Render(end - first, out_ + 2 * static_cast<std::size_t>(first));
        }
    }

private:
    std::atomic<int> next_{0};
    std::uint32_t passFrames_;
    std::uint32_t samplesPerStep_;
    float* out_;
};

} // namespace

std::uint32_t passFrames(int tempo) noexcept
{
    return 42336000u / static_cast<std::uint32_t>(clampTempo(tempo));
}

int renderThreads() noexcept
{
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 2, kMaxRenderThreads);
}

std::vector<float> renderPass(
    const Grid& pattern, std::shared_ptr<const CKit> kit, const PassSettings& settings, int threads)
{
    const TempoValue tempo(clampTempo(settings.tempo));
    // Made here, so that a failure to allocate throws on the calling thread; the
    // other threads only render, which never throws.
    std::vector<std::unique_ptr<Engine>> engines(std::clamp(threads, 1, kMaxRenderThreads));
    for (auto& engine : engines) {
        engine = std::make_unique<Engine>(pattern);
        engine->setTempoSource(&tempo);
        engine->setKit(kit);
        engine->setInterpolation(settings.interpolation);
        engine->setGain(settings.gain);
    }

    const std::uint32_t frames = passFrames(settings.tempo);
    std::vector<float> buffer(2 * static_cast<std::size_t>(frames));
    ColumnQueue columns(frames, framesPerStep(tempo.tempo()), buffer.data());
    {
        std::vector<std::jthread> helpers;
        helpers.reserve(engines.size() - 1);
        try {
            for (std::size_t i = 1; i < engines.size(); ++i)
                helpers.emplace_back([&columns, &engine = *engines[i]] { columns.renderWith(engine); });
        } catch (const std::system_error&) {
            // Fewer threads: the columns nobody took are rendered below.
        }
        columns.renderWith(*engines[0]);
    }
    return buffer;
}

std::vector<float> renderPassOf(Engine& live, int tempo)
{
    live.setPlaying(false);
    live.Reset();
    live.setMutedForExport(true);
    const LiveGrid* pattern = live.pattern();
    std::vector<float> buffer = renderPass(
        pattern ? pattern->snapshot() : Grid{}, live.kit(), {tempo, live.interpolation(), live.gain()});
    live.setMutedForExport(false);
    live.Reset();
    return buffer;
}

} // namespace quom
