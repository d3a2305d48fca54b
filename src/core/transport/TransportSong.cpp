// The transport's song: entries follow one another on the engine's wraps.
#include "core/transport/Transport.h"

#include <algorithm>

namespace quom {

namespace {

int entryAfter(const Song& song, int entry)
{
    return (entry + 1) % static_cast<int>(song.size());
}

int repeatsOf(const SongEntry& entry)
{
    return std::clamp(entry.repeats, kMinRepeats, kMaxRepeats);
}

} // namespace

void Transport::poll()
{
    const bool landed = takeLandedSwitch();
    if (!song_.on)
        return;
    if (landed && song_.pending >= 0) {
        // Late or not, the entry counts its passes from the wrap it really began on.
        song_.entry = song_.pending;
        song_.entryStart = engine_.landedAtWrap();
        song_.pending = -1;
    }
    followSong();
}

void Transport::playSong(int from)
{
    const Song& song = project_.song();
    if (song.empty())
        return;
    takeLandedSwitch();
    from = std::clamp(from, 0, static_cast<int>(song.size()) - 1);
    if (song_.pending >= 0 || queued_ >= 0)
        withdrawSwitch();
    song_ = {.on = true, .start = from};
    startSongAt(from, !engine_.rolling());
}

void Transport::stopSong()
{
    if (!song_.on)
        return;
    takeLandedSwitch();
    if (song_.pending >= 0)
        withdrawSwitch();
    song_ = {};
}

void Transport::startSongAt(int entry, bool atOnce)
{
    song_.entry = entry;
    song_.pending = -1;
    const int pattern = project_.song()[static_cast<std::size_t>(entry)].pattern;
    if (atOnce) {
        withdrawSwitch();
        project_.selectPattern(pattern);
        song_.entryStart = engine_.wraps();
        return;
    }
    // The pass playing leads in; the entry counts from the wrap that ends it.
    song_.entryStart = engine_.wraps() + 1;
    if (pattern == project_.model().currentIndex()) {
        withdrawSwitch();
        return;
    }
    queueSwitch(pattern);
    song_.pending = entry;
}

void Transport::followSong()
{
    const Song& song = project_.song();
    if (song_.pending >= 0 || !engine_.rolling())
        return;
    const std::uint64_t wraps = engine_.wraps();
    for (;;) {
        const std::uint64_t end = song_.entryStart
            + static_cast<std::uint64_t>(repeatsOf(song[static_cast<std::size_t>(song_.entry)]));
        if (wraps + 1 < end)
            return; // the entry's last pass has not begun
        const int next = entryAfter(song, song_.entry);
        const int pattern = song[static_cast<std::size_t>(next)].pattern;
        if (pattern != project_.model().currentIndex()) {
            queueSwitch(pattern);
            song_.pending = next;
            return;
        }
        if (wraps < end)
            return;
        // The same pattern goes on: nothing to switch, the next entry counts from here.
        song_.entry = next;
        song_.entryStart = end;
    }
}

void Transport::songChanged()
{
    if (!song_.on)
        return;
    const Song& song = project_.song();
    if (song.empty()) {
        stopSong();
        return;
    }
    // Entries may have moved: the one waiting is chosen again from the edited song.
    takeLandedSwitch();
    if (song_.pending >= 0) {
        withdrawSwitch();
        song_.pending = -1;
    }
    const int last = static_cast<int>(song.size()) - 1;
    song_.entry = std::min(song_.entry, last);
    song_.start = std::min(song_.start, last);
}

LoopPasses Transport::passesToExport() const
{
    const bool ownTempo = tempoSource_ == &project_.tempoSource();
    const PatternModel& model = project_.model();
    if (!song_.on)
        return patternPasses(model.currentIndex(), tempoSource_->tempo(), 1);
    std::array<std::int32_t, kPatternSlots> tempos{};
    for (int i = 0; i < kPatternSlots; ++i)
        tempos[static_cast<std::size_t>(i)] = ownTempo ? model.tempo(i) : tempoSource_->tempo();
    // The current pattern plays at the tempo slider's, which its slot learns when stored.
    if (ownTempo)
        tempos[static_cast<std::size_t>(model.currentIndex())] = tempoSource_->tempo();
    return songPasses(project_.song(), tempos, 1);
}

} // namespace quom
