#pragma once

#include "core/sync/BlockSync.h"

#include <cstdint>

namespace quom {

class Engine;

// What Quom's JACK client plays: the engine, through whoever records it.
class JackSource {
public:
    virtual ~JackSource() = default;
    // Audio thread: fills frames interleaved stereo frames; true when the engine rendered
    // them, so that its MIDI out list is this block's.
    virtual bool renderBlock(
        float* interleavedStereo, std::uint32_t frames, const BlockSync* sync) noexcept = 0;
    virtual Engine& engine() noexcept = 0;
};

} // namespace quom
