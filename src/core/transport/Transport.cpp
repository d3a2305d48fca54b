#include "core/transport/Transport.h"

#include "core/audio/Volume.h"

namespace quom {

Transport::Transport(Project& project)
    : project_(project)
    , tempoSource_(&project.tempoSource())
{
    engine_.setPattern(&project_.model().current());
    engine_.setTempoSource(tempoSource_);
    engine_.setKit(project_.kit());
    project_.addListener(this);
}

Transport::~Transport()
{
    project_.removeListener(this);
    engine_.setPlaying(false);
    engine_.setPattern(nullptr);
    engine_.setTempoSource(nullptr);
}

void Transport::followTempo(const TempoSource* source) noexcept
{
    tempoSource_ = source ? source : &project_.tempoSource();
    engine_.setTempoSource(tempoSource_);
}

void Transport::kitChanged()
{
    engine_.setKit(project_.kit());
}

void Transport::leavingPattern()
{
    // Another pattern becomes current by other means: a switch still waiting is void.
    if (!takingSwitch_)
        withdrawSwitch();
}

void Transport::playProjectPattern() noexcept
{
    engine_.setPattern(&project_.model().current());
    engine_.setTempoSource(tempoSource_);
}

void Transport::withdrawSwitch()
{
    if (queued_ < 0)
        return;
    queued_ = -1;
    if (!engine_.cancelSwitch()) {
        // It landed before the window took it: the engine plays the copy.
        landedSeen_ = engine_.switchesLanded();
        playProjectPattern();
    }
}

void Transport::switchPattern(int index)
{
    if (index < 0 || index >= kPatternSlots)
        return;
    if (song_.on)
        stopSong();
    takeLandedSwitch();
    const bool atTheEnd = patternSwitch_ == PatternSwitch::AtPatternEnd && engine_.rolling();
    if (!atTheEnd || index == project_.model().currentIndex()) {
        withdrawSwitch();
        project_.selectPattern(index);
        return;
    }
    queueSwitch(index);
}

void Transport::queueSwitch(int index)
{
    // The engine plays a copy from the wrap, so the project's pattern changes only when
    // the window takes the switch over.
    project_.storeCurrentPattern();
    engine_.cancelSwitch();
    next_.assign(project_.model().slot(index));
    nextTempo_.set(clampTempo(project_.model().tempo(index)));
    const bool ownTempo = tempoSource_ == &project_.tempoSource();
    engine_.queueSwitch(&next_, ownTempo ? &nextTempo_ : tempoSource_);
    queued_ = index;
}

bool Transport::takeLandedSwitch()
{
    const std::uint64_t landed = engine_.switchesLanded();
    if (landed == landedSeen_ || queued_ < 0)
        return false;
    landedSeen_ = landed;
    const int index = queued_;
    queued_ = -1;
    takingSwitch_ = true;
    project_.selectPattern(index);
    takingSwitch_ = false;
    playProjectPattern();
    return true;
}

void Transport::setPlaying(bool on)
{
    engine_.setPlaying(on);
    if (listener_)
        listener_->playingChanged(on);
}

void Transport::play()
{
    if (shared_)
        shared_->requestStart();
    if (song_.on)
        startSongAt(song_.start, true);
    engine_.Reset();
    setPlaying(true);
}

void Transport::stop()
{
    // The shared transport may roll while Quom's own Play is off: Stop stops it all the same.
    if (shared_)
        shared_->requestStop();
    if (engine_.playing())
        setPlaying(false);
    // Nothing wraps while stopped: a switch still waiting happens now, unless the song
    // asked for it (Play starts the song again).
    takeLandedSwitch();
    if (song_.pending >= 0) {
        withdrawSwitch();
        song_.pending = -1;
    }
    if (const int waiting = queued_; waiting >= 0) {
        withdrawSwitch();
        project_.selectPattern(waiting);
    }
}

bool Transport::playing() const noexcept
{
    return engine_.playing();
}

int Transport::playingColumn() const noexcept
{
    // A followed source rolls the pattern without Play.
    const bool playing = engine_.playing() || engine_.followedTempo() > 0;
    return playing && engine_.rolling() ? engine_.currentColumn() : -1;
}

void Transport::stopAndRewind()
{
    stop();
    engine_.Reset();
}

void Transport::previewRow(int row) noexcept
{
    previewCell(row, makeCell(255, 128, 128));
}

void Transport::previewCell(int row, Cell color) noexcept
{
    engine_.StartPreview(row, color);
}

void Transport::stopPreview() noexcept
{
    engine_.StopPreview();
}

bool Transport::auditionFile(const std::string& path)
{
    auto sound = std::make_shared<CInstrument>();
    if (!sound->LoadWave(path, project_.fileRate()))
        return false;
    engine_.startAudition(std::move(sound));
    return true;
}

void Transport::stopAudition()
{
    engine_.stopAudition();
}

void Transport::setVolume(int percent) noexcept
{
    engine_.setGain(volumeGain(percent));
}

void Transport::setInterpolation(std::uint8_t mode) noexcept
{
    engine_.setInterpolation(mode);
}

void Transport::applySettings(const Settings& settings) noexcept
{
    engine_.setInterpolation(settings.interpolation);
    engine_.midiOut().setMapping(static_cast<MidiMapping>(settings.midiOutMapping));
    engine_.setOwnSound(settings.ownSound);
    patternSwitch_ = settings.patternSwitch;
}

void Transport::releaseRetired()
{
    engine_.releaseRetired();
}

} // namespace quom
