#pragma once

#include "core/kit/Instrument.h"
#include "core/model/Cell.h"

#include <cstdint>

// One row of the sequencer. The engine keeps the step position for all 64 tracks
// at once (they always advance together); a track holds the note its cell started.
// Audio thread only.
namespace quom {

// A sounding note: mix parameters from the colour word and the read position.
struct Note {
    float volume = 0.0f; // red / 255
    float pan = 0.0f; // green / 255: 0 hard left, 1 hard right
    float ratio = 1.0f; // 0.5 + blue / 255: frames read per output frame
    float position = 0.0f; // in sample frames
    std::uint8_t blue = 0; // the byte the ratio came from
};

// Builds the tables the mixing reads note positions from. Call it off the audio
// thread before the first note (the engine's constructor does).
void preparePositionTables();

// The note a colour word plays, from the first frame of its sample.
Note noteOf(Cell color) noexcept;

// Adds `frames` frames of the note to accL/accR and advances its position. count is
// the number of frames of the step already played; with fade, the first 20 and
// the last 19 frames of a step of samplesPerStep frames are ramped.
void mixNote(const CInstrument& instrument, std::uint8_t mode, Note& note, bool fade, int count,
    int samplesPerStep, int frames, float* accL, float* accR) noexcept;

class CTrack {
public:
    explicit CTrack(int row = 0) noexcept
        : row_(static_cast<std::uint16_t>(row))
    {
    }
    virtual ~CTrack() = default;

    void Reset() noexcept;

    // At the start of a step: a non-empty cell restarts the instrument from its
    // first frame; an empty one silences the track for the whole step.
    void startStep(Cell cell) noexcept;

    // Asks the processor to fetch what renderSpan will read of the table and the
    // sample, so that the tracks' cache misses overlap instead of coming one by one.
    void prefetchSpan(const CInstrument& instrument, int count, int frames) const noexcept;

    // Adds frames [count, count + frames) of the current step.
    void renderSpan(const CInstrument& instrument, std::uint8_t mode, int count, int samplesPerStep,
        int frames, float* accL, float* accR) noexcept;

    bool active() const noexcept { return active_; }
    int row() const noexcept { return row_; }

private:
    Note note_;
    bool active_ = false;
    std::uint16_t row_;
};

} // namespace quom
