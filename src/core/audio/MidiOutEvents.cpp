#include "core/audio/MidiOutEvents.h"

namespace quom {

// The table is taken here, on the thread that makes the engine, so that the audio
// thread never runs its one-time initialisation.
MidiOutEvents::MidiOutEvents() noexcept
    : rows_(starterRowNotes())
{
}

bool MidiOutEvents::add(std::uint32_t frame, const MidiMessage& message, std::size_t owedAfter) noexcept
{
    if (count_ + 1 + owedAfter > kCapacity) {
        dropped_.fetch_add(1, std::memory_order_relaxed);
        return false;
    }
    events_[count_++] = {frame, message};
    return true;
}

void MidiOutEvents::allNotesOff(std::uint32_t frame) noexcept
{
    for (std::size_t i = 0; i < soundingCount_; ++i)
        add(frame, sounding_[i], 0);
    soundingCount_ = 0;
}

void MidiOutEvents::startStep(std::uint32_t frame, int column, const LiveGrid* live) noexcept
{
    allNotesOff(frame);
    if (!live)
        return;
    const MidiMapping mapping = this->mapping();
    for (int row = 0; row < kRows; ++row) {
        const Cell cell = live->at(column, row);
        if (cell == 0)
            continue;
        const CellMessages messages = cellMessages(cell, row, mapping, rows_);
        add(frame, messages.pan, soundingCount_);
        if (messages.sounds && add(frame, messages.noteOn, soundingCount_ + 1))
            sounding_[soundingCount_++] = messages.noteOff;
    }
}

} // namespace quom
