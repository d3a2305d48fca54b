#pragma once

// What an output stream plays: fills interleaved stereo frames on the audio thread.
namespace quom {

class AudioSource {
public:
    virtual ~AudioSource() = default;
    // Audio thread: must not allocate, lock, log, throw or touch files.
    virtual void Render(float* interleavedStereo, unsigned long frames) noexcept = 0;
};

} // namespace quom
