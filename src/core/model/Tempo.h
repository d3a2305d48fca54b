#pragma once

#include "core/model/Cell.h"

#include <atomic>

// How long a step lasts at a tempo, and where the engine reads the tempo.
namespace quom {

// 44100 * 60 * 4: divided by 16 * tempo, the frames of a sixteenth note.
inline constexpr int kFramesPerFourMinutes = 10584000;

// The frames of one step, a sixteenth note, at tempo taken into 1..350.
constexpr int framesPerStep(int tempo) noexcept
{
    return kFramesPerFourMinutes / (clampTempo(tempo) * 16);
}

// Where the engine reads the tempo (beats per minute): the project's tempo, a sync
// source's, or a render's own. The audio thread calls tempo() once per block, so an
// implementation must be lock-free and must not allocate.
class TempoSource {
public:
    virtual ~TempoSource() = default;
    virtual int tempo() const noexcept = 0;
};

// A tempo held in an atomic, set on the window thread and read on the audio thread.
class TempoValue final : public TempoSource {
public:
    explicit TempoValue(int bpm = 120) noexcept
        : bpm_(bpm)
    {
    }
    int tempo() const noexcept override { return bpm_.load(std::memory_order_relaxed); }
    void set(int bpm) noexcept { bpm_.store(bpm, std::memory_order_relaxed); }

private:
    std::atomic<int> bpm_;
};

} // namespace quom
