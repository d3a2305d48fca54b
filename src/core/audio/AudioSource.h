#pragma once

#include "core/sync/BlockSync.h"

// What an output stream plays: fills interleaved stereo frames on the audio thread.
namespace quom {

class AudioSource {
public:
    virtual ~AudioSource() = default;
    // Audio thread: must not allocate, lock, log, throw or touch files.
    // time: the block's frames, its place on the stream's running count and when its
    // first frame is heard.
    virtual void Render(float* interleavedStereo, const BlockTime& time) noexcept = 0;
};

} // namespace quom
