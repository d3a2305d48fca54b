#pragma once

#include "core/files/MidiMapping.h"
#include "core/model/LiveGrid.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <span>

// The MIDI messages the live engine's pattern sends, block by block. While the engine
// renders a block, each step that starts in it adds its painted cells' messages (the
// MIDI file export's, MidiMapping.h) stamped with the frame at which the engine starts
// that step, after the note-offs of the notes the step before started. A MIDI back-end
// reads the block in the same audio callback, after Render.
//
// Threads: the list and every member not marked otherwise are the rendering thread's.
// The buffer is fixed when made: nothing allocates, locks or waits, and a message that
// does not fit is counted as dropped; a note-off always fits, so no note is left hanging.
namespace quom {

struct MidiOutEvent {
    std::uint32_t frame = 0; // within the block
    MidiMessage message;

    bool operator==(const MidiOutEvent&) const = default;
};

class MidiOutEvents {
public:
    // A dense block: a few steps of all 64 rows' pan, note-on and note-off each.
    static constexpr std::size_t kCapacity = 1024;

    MidiOutEvents() noexcept;

    // The block rendered last.
    std::span<const MidiOutEvent> events() const noexcept { return {events_.data(), count_}; }

    // Messages that did not fit in their block since the engine was made. Any thread.
    std::uint64_t dropped() const noexcept { return dropped_.load(std::memory_order_relaxed); }

    // Any thread; read at each step.
    void setMapping(MidiMapping mapping) noexcept
    {
        mapping_.store(static_cast<std::uint8_t>(mapping), std::memory_order_relaxed);
    }
    MidiMapping mapping() const noexcept
    {
        return static_cast<MidiMapping>(mapping_.load(std::memory_order_relaxed));
    }

    void beginBlock() noexcept { count_ = 0; }
    // Ends the notes of the step before, then starts column's cells of the pattern (null:
    // none).
    void startStep(std::uint32_t frame, int column, const LiveGrid* live) noexcept;
    // Note-offs for every note still sounding; nothing when none is.
    void allNotesOff(std::uint32_t frame) noexcept;

private:
    // Room is kept for the note-offs owed after this message, so that a full block drops
    // notes whole and never leaves one hanging: count_ + soundingCount_ <= kCapacity.
    bool add(std::uint32_t frame, const MidiMessage& message, std::size_t owedAfter) noexcept;

    std::atomic<std::uint8_t> mapping_{static_cast<std::uint8_t>(MidiMapping::Export)};
    std::atomic<std::uint64_t> dropped_{0};
    const RowNotes& rows_;
    std::array<MidiOutEvent, kCapacity> events_{};
    std::size_t count_ = 0;
    // The note-offs owed for the notes the last step started: one per row at most.
    std::array<MidiMessage, kRows> sounding_{};
    std::size_t soundingCount_ = 0;
};

} // namespace quom
