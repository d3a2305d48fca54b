#include "core/sync/TransportPosition.h"

#include "core/model/Tempo.h"

namespace quom {
namespace {

constexpr int kStepsPerBeat = 4;
constexpr int kBeatsPerBar = 4;
constexpr int kTicksPerBeat = 1920;

} // namespace

BlockSync followTransport(const TransportPosition& position, int ownTempo) noexcept
{
    BlockSync sync;
    sync.rolling = position.rolling;
    const bool barBeatTick = position.hasBarBeatTick && position.beatsPerMinute > 0
        && position.ticksPerBeat > 0 && position.beatsPerBar > 0 && position.frameRate > 0;
    if (barBeatTick) {
        const double beats = (position.bar - 1) * position.beatsPerBar + (position.beat - 1)
            + position.tick / position.ticksPerBeat;
        sync.step = beats * kStepsPerBeat;
        sync.stepsPerFrame = position.beatsPerMinute / 60.0 * kStepsPerBeat / position.frameRate;
        sync.tempo = position.beatsPerMinute;
        return sync;
    }
    // Without a master, the transport's frame counts Quom's own steps.
    const int frames = framesPerStep(ownTempo);
    sync.step = static_cast<double>(position.frame) / frames;
    sync.stepsPerFrame = 1.0 / frames;
    sync.tempo = clampTempo(ownTempo);
    return sync;
}

BarBeatTick barBeatTickAt(std::uint64_t frame, int tempo) noexcept
{
    // In whole frames, as the engine counts its steps, so that bar 1 beat 1 of every
    // pass falls on the frame its first step starts.
    const auto stepFrames = static_cast<std::uint64_t>(framesPerStep(tempo));
    const std::uint64_t step = frame / stepFrames;
    const std::uint64_t beatFrames = kStepsPerBeat * stepFrames;
    const std::uint64_t intoBeat = (step % kStepsPerBeat) * stepFrames + frame % stepFrames;
    const std::uint64_t beat = step / kStepsPerBeat;
    BarBeatTick position;
    position.bar = static_cast<std::int32_t>(beat / kBeatsPerBar + 1);
    position.beat = static_cast<std::int32_t>(beat % kBeatsPerBar + 1);
    position.tick = static_cast<std::int32_t>(intoBeat * kTicksPerBeat / beatFrames);
    position.barStartTick = static_cast<double>(position.bar - 1) * kBeatsPerBar * kTicksPerBeat;
    constexpr double kFramesPerMinute = kFramesPerFourMinutes / 4.0;
    position.beatsPerMinute = kFramesPerMinute / static_cast<double>(beatFrames);
    return position;
}

} // namespace quom
