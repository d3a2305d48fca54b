#include "core/audio/LoopRender.h"

#include "core/audio/Engine.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace quom {
namespace {

constexpr int kMaxRenderThreads = 16;

struct StepJob {
    int pattern;
    int column;
    std::uint64_t first; // frame
    std::uint32_t frames;
};

// Where the passes' steps fall: each pass starts where the one before ends.
class StepPlan {
public:
    explicit StepPlan(const LoopPasses& passes)
        : passes_(passes)
    {
        starts_.reserve(passes.size());
        std::uint64_t at = 0;
        for (const LoopPass& pass : passes) {
            starts_.push_back(at);
            at += kColumns * static_cast<std::uint64_t>(framesPerStep(pass.tempo));
        }
        stepsEnd_ = at;
    }

    // The passes' steps, then the run-on into the loop's first pass.
    std::size_t jobCount() const noexcept { return passes_.empty() ? 0 : passes_.size() * kColumns + 1; }

    StepJob job(std::size_t index) const noexcept
    {
        if (index == passes_.size() * kColumns) {
            const LoopPass& last = passes_.back();
            const auto steps = static_cast<std::uint32_t>(kColumns * framesPerStep(last.tempo));
            return {passes_.front().pattern, 0, stepsEnd_, passFrames(last.tempo) - steps};
        }
        const LoopPass& pass = passes_[index / kColumns];
        const int column = static_cast<int>(index % kColumns);
        const auto sps = static_cast<std::uint32_t>(framesPerStep(pass.tempo));
        return {pass.pattern, column, starts_[index / kColumns] + column * std::uint64_t{sps}, sps};
    }

private:
    const LoopPasses& passes_;
    std::vector<std::uint64_t> starts_;
    std::uint64_t stepsEnd_ = 0;
};

// Steps handed out one at a time to the threads; each thread has an engine per pattern.
class StepQueue {
public:
    StepQueue(const StepPlan& plan, float* out, const std::atomic<bool>* stop) noexcept
        : plan_(plan)
        , out_(out)
        , stop_(stop)
    {
    }

    void renderWith(std::span<const std::unique_ptr<Engine>> engines) noexcept
    {
        for (std::size_t i; (i = next_.fetch_add(1, std::memory_order_relaxed)) < plan_.jobCount();) {
            if (stop_ && stop_->load(std::memory_order_relaxed))
                return;
            const StepJob job = plan_.job(i);
            Engine& engine = *engines[static_cast<std::size_t>(job.pattern)];
            engine.Reset(job.column);
            engine.Render(job.frames, out_ + 2 * job.first);
        }
    }

private:
    std::atomic<std::size_t> next_{0};
    const StepPlan& plan_;
    float* out_;
    const std::atomic<bool>* stop_;
};

} // namespace

std::uint32_t passFrames(int tempo) noexcept
{
    return 42336000u / static_cast<std::uint32_t>(clampTempo(tempo));
}

std::uint64_t loopFrames(const LoopPasses& passes) noexcept
{
    if (passes.empty())
        return 0;
    std::uint64_t frames = passFrames(passes.back().tempo);
    for (std::size_t i = 0; i + 1 < passes.size(); ++i)
        frames += kColumns * static_cast<std::uint64_t>(framesPerStep(passes[i].tempo));
    return frames;
}

int renderThreads() noexcept
{
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 2, kMaxRenderThreads);
}

std::vector<float> renderLoop(std::span<const Grid> patterns, const LoopPasses& passes,
    std::shared_ptr<const CKit> kit, const LoopSettings& settings, int threads, const std::atomic<bool>* stop)
{
    // Each pattern's engines read their tempo from here for as long as they render.
    std::vector<TempoValue> tempos(patterns.size());
    for (const LoopPass& pass : passes)
        tempos[static_cast<std::size_t>(pass.pattern)].set(pass.tempo);
    // Made here, so that a failure to allocate throws on the calling thread; the
    // other threads only render, which never throws. A pattern plays at one tempo
    // wherever it comes in the passes, so its engines need not follow a change.
    const auto threadCount = static_cast<std::size_t>(std::clamp(threads, 1, kMaxRenderThreads));
    std::vector<std::vector<std::unique_ptr<Engine>>> engines(threadCount);
    for (auto& perPattern : engines) {
        perPattern.resize(patterns.size());
        for (const LoopPass& pass : passes) {
            auto& engine = perPattern[static_cast<std::size_t>(pass.pattern)];
            if (engine)
                continue;
            engine = std::make_unique<Engine>(patterns[static_cast<std::size_t>(pass.pattern)]);
            engine->setTempoSource(&tempos[static_cast<std::size_t>(pass.pattern)]);
            engine->setKit(kit);
            engine->setInterpolation(settings.interpolation);
            engine->setGain(settings.gain);
        }
    }

    const StepPlan plan(passes);
    std::vector<float> buffer(2 * loopFrames(passes));
    StepQueue steps(plan, buffer.data(), stop);
    {
        std::vector<std::jthread> helpers;
        helpers.reserve(threadCount - 1);
        try {
            for (std::size_t i = 1; i < threadCount; ++i)
                helpers.emplace_back([&steps, &perPattern = engines[i]] { steps.renderWith(perPattern); });
        } catch (const std::system_error&) {
            // Fewer threads: the steps nobody took are rendered below.
        }
        steps.renderWith(engines[0]);
    }
    return buffer;
}

} // namespace quom
