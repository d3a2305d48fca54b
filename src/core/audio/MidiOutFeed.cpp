#include "core/audio/MidiOutFeed.h"

#include "core/audio/Engine.h"

namespace quom {

MidiOutFeed::MidiOutFeed()
    : block_(MidiOutEvents::kCapacity + leader_.capacity())
{
}

void MidiOutFeed::beforeRender(const Engine& engine, const BlockSync* sync) noexcept
{
    const bool leads = enabled_.load(std::memory_order_relaxed) && clockOut() && !sync && engine.playing();
    // The transport always starts the pattern from its first step.
    if (leads && !leader_.playing())
        leader_.start();
    else if (!leads && leader_.playing())
        leader_.stop();
}

void MidiOutFeed::afterRender(const Engine& engine, const BlockTime& time) noexcept
{
    const TempoSource* tempo = engine.tempoSource();
    const std::span<const ClockMessage> clock
        = leader_.render(time.frames, tempo ? tempo->tempo() : kDefaultTempo);
    if (!enabled_.load(std::memory_order_relaxed))
        return;
    const std::span<const MidiOutEvent> notes = engine.midiOut().events();
    const std::size_t count = timeBlock(notes, clock, time, block_);
    std::uint64_t lost = notes.size() + clock.size() - count;
    if (count > 0 && !ring_.push(block_.data(), count))
        lost += count;
    if (lost > 0)
        dropped_.fetch_add(lost, std::memory_order_relaxed);
}

} // namespace quom
