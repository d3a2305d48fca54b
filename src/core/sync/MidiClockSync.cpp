#include "core/sync/MidiClockSync.h"

namespace quom {
namespace {

constexpr std::int64_t kMicrosPerSecond = 1'000'000;

} // namespace

MidiClockSync::MidiClockSync(Timebase timebase, int sampleRate, int startTempo) noexcept
    : timebase_(timebase)
    , sampleRate_(sampleRate)
    , follower_(timebase == Timebase::Frames ? sampleRate : kMicrosPerSecond, startTempo)
{
}

void MidiClockSync::receive(std::span<const std::uint8_t> message, std::int64_t time) noexcept
{
    const bool wasRunning = follower_.running();
    follower_.receive(message, time);
    heard_ = heard_ || follower_.running() || wasRunning;
}

std::optional<BlockSync> MidiClockSync::blockSync(const BlockTime& time) noexcept
{
    const std::int64_t now
        = timebase_ == Timebase::Frames ? static_cast<std::int64_t>(time.frame) : time.hostMicros;
    const bool running = follower_.running();
    lost_.store(running && follower_.sourceLost(now), std::memory_order_relaxed);
    if (!heard_)
        return std::nullopt; // no clock has started yet: Quom plays by itself
    const std::optional<double> step = follower_.stepAt(now);
    BlockSync sync;
    sync.tempo = follower_.tempo();
    if (!running || !step)
        return sync;
    const double ticksPerFrame
        = timebase_ == Timebase::Frames ? 1.0 : static_cast<double>(kMicrosPerSecond) / sampleRate_;
    sync.rolling = true;
    sync.step = *step;
    sync.stepsPerFrame = ticksPerFrame / follower_.ticksPerStep();
    return sync;
}

} // namespace quom
