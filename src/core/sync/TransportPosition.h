#pragma once

#include "core/sync/BlockSync.h"

#include <cstdint>

// JACK's transport in plain numbers, and how it becomes a position in steps and back:
// following it, and writing its bar, beat and tick as its timebase master.
namespace quom {

// A transport's state at a block's first frame.
struct TransportPosition {
    bool rolling = false;
    std::uint64_t frame = 0; // the transport's own frame, which a locate moves
    int frameRate = 44100;
    bool hasBarBeatTick = false; // the fields below come from a timebase master
    std::int32_t bar = 1; // from 1
    std::int32_t beat = 1; // from 1, within the bar
    std::int32_t tick = 0; // within the beat
    double ticksPerBeat = 1920;
    double beatsPerBar = 4;
    double beatsPerMinute = 120;
};

// The steps a transport stands at: from its bar, beat and tick where a master writes them,
// otherwise from its frame at ownTempo (Quom's tempo). A step is a sixteenth of the beat.
BlockSync followTransport(const TransportPosition& position, int ownTempo) noexcept;

// What Quom writes as timebase master at transport frame: 4/4, 1920 ticks per beat, its
// own tempo, a step lasting framesPerStep(tempo) frames as its engine counts them.
inline constexpr int kMasterBeatsPerBar = 4;
inline constexpr int kMasterBeatType = 4;
inline constexpr int kMasterTicksPerBeat = 1920;
struct BarBeatTick {
    std::int32_t bar = 1;
    std::int32_t beat = 1;
    std::int32_t tick = 0;
    double barStartTick = 0;
    double beatsPerMinute = 120;
};
BarBeatTick barBeatTickAt(std::uint64_t frame, int tempo) noexcept;

} // namespace quom
