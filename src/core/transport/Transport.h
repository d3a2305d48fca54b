#pragma once

#include "core/audio/Engine.h"
#include "core/model/SongPasses.h"
#include "core/project/Project.h"
#include "core/settings/Settings.h"

#include <cstdint>
#include <memory>
#include <string>

// Playing the project: owns the live engine, starts and stops it, tells where it is,
// previews rows and cells, auditions files, and hands the project's kit to the audio
// thread whenever the project names another. The audio output renders engine().
//
// Who decides the tempo and the position: today Quom itself. The engine plays the
// project's tempo (or the tempo source it is told to follow) and counts its own steps
// from Play. A sync source that follows another program plugs in here: it becomes the
// tempo source, and it will move the position through Reset.
//
// Threads. Window thread only, like the project; the engine's contract (Engine.h)
// covers the audio thread.
namespace quom {

// What a view of the transport hears about, on the window thread.
class TransportListener {
public:
    virtual ~TransportListener() = default;
    virtual void playingChanged(bool playing) = 0;
};

// Another program's transport that Quom's Play and Stop start and stop (JACK's transport
// while Quom follows or leads it). Quom's steps then roll when that transport rolls.
class SharedTransport {
public:
    virtual ~SharedTransport() = default;
    virtual void requestStart() noexcept = 0;
    virtual void requestStop() noexcept = 0;
};

class Transport final : private ProjectListener {
public:
    // Plays project's current pattern at its tempo with its kit; stopped.
    explicit Transport(Project& project);
    // Takes the pattern and the tempo back from the engine: stop the audio stream
    // first, or the engine must not be rendering.
    ~Transport() override;
    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;

    // What the audio output renders, and tests render by hand.
    Engine& engine() noexcept { return engine_; }

    // One listener at a time; null for none.
    void setListener(TransportListener* listener) noexcept { listener_ = listener; }

    // Where the tempo comes from: source, which must outlive its use (a sync source),
    // or, null, the project's own.
    void followTempo(const TempoSource* source) noexcept;

    // Play and Stop also go to shared, which must outlive its use; null for none.
    void shareWith(SharedTransport* shared) noexcept { shared_ = shared; }

    // play() starts from before the first step.
    void play();
    void stop();
    bool playing() const noexcept;
    // The column being played, -1 while stopped.
    int playingColumn() const noexcept;
    // Stops playback and rewinds every track: before a file replaces what plays, a
    // window takes over the sound, and an export.
    void stopAndRewind();

    // Previews a row's sample for one step at full volume, centred, at about its own
    // speed; a new preview cuts the last.
    void previewRow(int row) noexcept;
    // Previews a row's sample with a cell colour, for one step.
    void previewCell(int row, Cell color) noexcept;
    void stopPreview() noexcept;
    // Plays the sample file as it is on disk now, once, at full length and taking its
    // rate as the project's samples do; a new audition cuts the last. False, playing
    // nothing, when it cannot be read.
    bool auditionFile(const std::string& path);
    void stopAudition();

    // Master volume in percent, 0..100.
    void setVolume(int percent) noexcept;
    // 0 truncate, 1 linear, 2 quadratic; heard from the next block.
    void setInterpolation(std::uint8_t mode) noexcept;
    // The settings the engine plays by: the interpolation, how the pattern's cells become
    // MIDI out and whether the kit sounds beside it; heard from the next block.
    void applySettings(const Settings& settings) noexcept;

    // Makes pattern index (0..15) current. While the pattern rolls and the "Switch
    // patterns" setting says at the end of the pattern, the engine switches on the frame
    // where the playing pattern next wraps to its first step; until then the project
    // keeps the pattern shown and queuedPattern() names the one waiting. A new request
    // replaces the one waiting; one for the pattern playing withdraws it.
    void switchPattern(int index);
    // The pattern waiting for the wrap; -1 for none.
    int queuedPattern() const noexcept { return queued_; }
    // Call it on the window's timer: once a queued switch has landed, its pattern
    // becomes the project's current one (the listeners hear it then), and the song moves
    // on to its next entry.
    void poll();

    // The project's song, played from entry from (0-based, taken into the song): each
    // entry's pattern its repeats times at the pattern's own tempo, then the next, looping
    // at the end, switching on the wraps whatever "Switch patterns" says. Stopped, the
    // entry's pattern becomes current at once; rolling, the song starts at the next wrap.
    // Play starts the song again from that entry. Nothing happens without a song.
    void playSong(int from = 0);
    // The current pattern loops again; a pattern switched to by hand and a song emptied
    // stop the song too.
    void stopSong();
    bool songOn() const noexcept { return song_.on; }
    // The entry playing (0-based), or the one starting at the next wrap; -1 while off.
    int songEntry() const noexcept { return song_.on ? song_.entry : -1; }

    // What an export renders, as it plays: the song once while it is on, otherwise one
    // pass of the current pattern; each pass at the tempo followed, or its pattern's own.
    LoopPasses passesToExport() const;

    // Frees kits and auditions the audio thread has finished with; call it now and then.
    void releaseRetired();

private:
    struct SongPlay {
        bool on = false;
        int start = 0; // the entry Play starts from
        int entry = 0;
        std::uint64_t entryStart = 0; // the engine's wraps when the entry began
        int pending = -1; // the entry whose pattern waits for the wrap
    };

    void kitChanged() override;
    void leavingPattern() override;
    void songChanged() override;
    // A queued switch that has landed becomes the project's current pattern; false when
    // none has.
    bool takeLandedSwitch();
    // The engine plays pattern index from the next wrap.
    void queueSwitch(int index);
    void startSongAt(int entry, bool atOnce);
    // Queues the next entry's pattern during the last pass of the entry playing.
    void followSong();
    void setPlaying(bool on);
    // The engine plays the project's current pattern again, at the tempo followed.
    void playProjectPattern() noexcept;
    void withdrawSwitch();

    Project& project_;
    Engine engine_;
    const TempoSource* tempoSource_;
    TransportListener* listener_ = nullptr;
    SharedTransport* shared_ = nullptr;
    PatternSwitch patternSwitch_ = PatternSwitch::AtOnce;
    // The pattern a queued switch plays from the wrap until the window takes it over.
    LiveGrid next_;
    TempoValue nextTempo_{kDefaultTempo};
    int queued_ = -1;
    std::uint64_t landedSeen_ = 0;
    bool takingSwitch_ = false;
    SongPlay song_;
};

} // namespace quom
