#pragma once

#include "core/audio/EngineRequests.h"
#include "core/audio/MidiOutEvents.h"
#include "core/audio/SampleReading.h"
#include "core/audio/Track.h"
#include "core/kit/Kit.h"
#include "core/model/LiveGrid.h"
#include "core/model/Tempo.h"
#include "core/sync/BlockSync.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

// Steps through a pattern and mixes the 64 tracks and the preview voice.
//
// Modes, fixed when the engine is made. A live engine is the one the audio callback
// renders: it steps through the pattern given with setPattern while it is playing.
// An offline engine renders a plain grid for an export: it steps through it whether
// or not it is playing, and the audio callback never renders it. While an export
// renders, the live engine is muted for it (mutedForExport): the audio callback
// outputs silence instead of calling Render.
//
// Threads. Render runs on the audio thread (an offline engine's on a thread of the
// export): it never allocates, locks, logs, throws or touches files, and it never
// waits. Only one thread renders an engine at a time.
// Every other member function is for the window thread unless it says otherwise;
// they only store atomics that the next Render picks up, so they never wait for the
// audio thread either:
// - Reset and the preview calls are requests that the next block applies in the
//   order they were made.
// - The pattern, the tempo source and the kit are read once per block.
//
// Kits and auditions. Nobody changes the engine's kit in place: the transport hands it
// a new CKit with setKit whenever the project names one; an audition is handed over
// whole. The engine publishes them to the audio thread at the next block and frees
// what they replace on the window thread, once no block can still be reading it (at a
// later setKit, audition or releaseRetired call). The audio thread never frees anything.
namespace quom {

class Engine {
public:
    // A live engine.
    Engine();
    // An offline engine stepping through pattern, which must outlive it.
    explicit Engine(const Grid& pattern);
    Engine(const Grid&&) = delete;
    virtual ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Audio thread. Fills out with frameCount interleaved stereo frames. A live engine
    // that is not playing: the preview voice alone, without the gain.
    void Render(std::uint32_t frameCount, float* out) noexcept;
    // A live engine following another program (BlockSync.h): sync says whether the pattern
    // rolls and where its steps start in this block, in place of Play, Stop and the tempo.
    // Null: the engine counts its own steps, as above.
    void Render(std::uint32_t frameCount, float* out, const BlockSync* sync) noexcept;

    // Every track back before column (0..63, others count as 0), the preview
    // stopped: the next step played is that column. Playback starts at 0; an
    // offline engine rendering part of a pass starts at the part's first column.
    void Reset(int column = 0) noexcept;

    // Auditions kit slot 0..63 with the volume, pan and speed of colour for one step.
    // Another slot number changes nothing.
    void StartPreview(int slot, Cell color) noexcept;
    void StopPreview() noexcept;

    // Plays sound once from its start at its own pitch (one sample frame per output
    // frame), full volume, centred, beside the pattern and the preview, even while
    // stopped; a new audition cuts the last. Null stops it. Window thread.
    void startAudition(std::shared_ptr<const CInstrument> sound);
    void stopAudition() { startAudition(nullptr); }

    // Frames per column as of the last block rendered while playing; 0 before that.
    // Any thread.
    int SamplesPerStep() const noexcept { return samplesPerStep_.load(std::memory_order_relaxed); }

    // The column being played, -1 before the first step: the window polls it to
    // draw the play-position marker. Any thread.
    int currentColumn() const noexcept { return column_.load(std::memory_order_relaxed); }

    void setPlaying(bool on) noexcept { playing_.store(on, std::memory_order_relaxed); }
    bool playing() const noexcept { return playing_.load(std::memory_order_relaxed); }
    // Whether the last block played the pattern: Play, or a followed source rolling. Any
    // thread.
    bool rolling() const noexcept { return rolling_.load(std::memory_order_relaxed); }
    // The tempo the last block followed (BlockSync::tempo), 0 when it counted its own
    // steps. Any thread.
    double followedTempo() const noexcept { return followedTempo_.load(std::memory_order_relaxed); }
    // Live engine. Any thread.
    void setMutedForExport(bool on) noexcept { mutedForExport_.store(on, std::memory_order_relaxed); }
    bool mutedForExport() const noexcept { return mutedForExport_.load(std::memory_order_relaxed); }

    // Off: a live engine's pattern sends its MIDI messages but its tracks stay silent
    // (the preview and the audition still sound). Any thread.
    void setOwnSound(bool on) noexcept { ownSound_.store(on, std::memory_order_relaxed); }
    bool ownSound() const noexcept { return ownSound_.load(std::memory_order_relaxed); }

    // A live engine's MIDI messages of the block rendered last (an offline engine sends
    // none), for the audio thread after Render in the same callback; a callback that
    // skips Render (muted for an export) has none to send. Stopping or a Reset ends the
    // notes still sounding at the next block's start.
    MidiOutEvents& midiOut() noexcept { return midiOut_; }
    const MidiOutEvents& midiOut() const noexcept { return midiOut_; }

    // Master volume 0..1.
    void setGain(float gain) noexcept { gain_.store(gain, std::memory_order_relaxed); }
    float gain() const noexcept { return gain_.load(std::memory_order_relaxed); }

    void setInterpolation(Interpolation mode) noexcept { setInterpolation(static_cast<std::uint8_t>(mode)); }
    // Values other than the three modes make every voice silent.
    void setInterpolation(std::uint8_t mode) noexcept
    {
        interpolation_.store(mode, std::memory_order_relaxed);
    }
    std::uint8_t interpolation() const noexcept { return interpolation_.load(std::memory_order_relaxed); }

    // The grid and the tempo must outlive the engine, or be replaced first while
    // nothing renders. Null: no pattern (silence) / the default tempo. An offline
    // engine plays its own grid, not this one.
    void setPattern(const LiveGrid* pattern) noexcept { pattern_.store(pattern, std::memory_order_release); }
    const LiveGrid* pattern() const noexcept { return pattern_.load(std::memory_order_acquire); }
    void setTempoSource(const TempoSource* tempo) noexcept { tempo_.store(tempo, std::memory_order_release); }
    const TempoSource* tempoSource() const noexcept { return tempo_.load(std::memory_order_acquire); }

    // Live engine: on the frame where the pattern next wraps from its last column to its
    // first, it plays pattern at tempo instead, as setPattern and setTempoSource would
    // (both must outlive their use), and counts the switch. A new request replaces one
    // still waiting; a null pattern withdraws it.
    void queueSwitch(const LiveGrid* pattern, const TempoSource* tempo) noexcept;
    // Withdraws the request still waiting; false when there was none (it has landed).
    bool cancelSwitch() noexcept
    {
        return queuedPattern_.exchange(nullptr, std::memory_order_acq_rel) != nullptr;
    }
    bool switchQueued() const noexcept { return queuedPattern_.load(std::memory_order_acquire) != nullptr; }
    // How many queued switches have landed. Any thread.
    std::uint64_t switchesLanded() const noexcept { return switchesLanded_.load(std::memory_order_acquire); }
    // How many times a live engine's pattern has wrapped from its last column to its first,
    // ever; and that count as of the last switch landed (read after switchesLanded). Any thread.
    std::uint64_t wraps() const noexcept { return wraps_.load(std::memory_order_acquire); }
    std::uint64_t landedAtWrap() const noexcept { return landedAtWrap_.load(std::memory_order_relaxed); }

    // Window thread, see "Kits" above. A null kit stands for an empty one.
    void setKit(std::shared_ptr<const CKit> kit);
    const std::shared_ptr<const CKit>& kit() const noexcept { return kit_; }
    // Frees replaced kits and auditions the audio thread has finished with; never waits.
    void releaseRetired();
    // Replaced kits and auditions not freed yet (a block was in progress when they
    // were replaced).
    std::size_t retiredCount() const noexcept { return retired_.size(); }

private:
    static constexpr int kChunkFrames = 4096;
    static constexpr int kPrefetchFrames = 1024; // blocks up to this long are live ones

    struct Preview {
        int slot = -1; // -1: idle; resolved in the kit of each block
        Note note;
        std::uint32_t count = 0;
        std::uint32_t length = 0; // 0: until stopped
    };

    struct Audition {
        const CInstrument* sound = nullptr;
        std::uint32_t position = 0;
    };

    struct Retired {
        std::shared_ptr<const void> object;
        std::uint64_t epoch; // odd: the block in progress when it was replaced
    };

    std::uint64_t nextSerial() noexcept { return requestSerial_.fetch_add(1, std::memory_order_relaxed) + 1; }
    void applyRequests() noexcept;
    void resetTracks(int column) noexcept;
    // The samples per step and the first step a followed source asks of this block.
    void followSync(const BlockSync& sync, std::uint32_t frameCount) noexcept;
    // The frame of the block at which the followed step nextSyncStep_ starts; past the
    // block's end when it starts later.
    std::uint32_t syncStepFrame() const noexcept;
    void renderChunk(const CKit& kit, const LiveGrid*& live, std::uint8_t mode, bool ownSound, bool following,
        std::uint32_t blockFrame, int frames) noexcept;
    // live is the pattern the step plays: a queued switch landing on it changes it.
    void advanceStep(const LiveGrid*& live, std::uint32_t blockFrame, int column, bool following) noexcept;
    void landQueuedSwitch(const LiveGrid*& live, bool following) noexcept;
    void mixPreview(const CKit& kit, std::uint8_t mode, int frames) noexcept;
    void mixAudition(int frames) noexcept;
    // Keeps object until no block that may have read it is in progress.
    void retire(std::shared_ptr<const void> object);

    const Grid* offlinePattern_ = nullptr; // set once, when made; null: a live engine

    // Shared with the other threads.
    std::atomic<bool> playing_{false};
    std::atomic<bool> mutedForExport_{false};
    std::atomic<bool> ownSound_{true};
    std::atomic<float> gain_{1.0f};
    std::atomic<std::uint8_t> interpolation_{static_cast<std::uint8_t>(Interpolation::Linear)};
    std::atomic<const LiveGrid*> pattern_{nullptr};
    std::atomic<const TempoSource*> tempo_{nullptr};
    std::atomic<const LiveGrid*> queuedPattern_{nullptr};
    std::atomic<const TempoSource*> queuedTempo_{nullptr}; // stored before queuedPattern_
    std::atomic<std::uint64_t> switchesLanded_{0};
    std::atomic<std::uint64_t> wraps_{0};
    std::atomic<std::uint64_t> landedAtWrap_{0}; // stored before switchesLanded_
    std::atomic<const CKit*> audioKit_{nullptr};
    std::atomic<std::uint64_t> epoch_{0}; // incremented on entering and on leaving Render
    std::atomic<std::uint64_t> requestSerial_{0}; // orders Reset against the preview calls
    std::atomic<std::uint64_t> resetRequest_{0}; // the last ResetRequest, packed
    std::atomic<std::uint64_t> previewRequest_{0}; // the last PreviewRequest, packed
    std::atomic<const CInstrument*> auditionSound_{nullptr};
    std::atomic<std::uint64_t> auditionSerial_{0}; // of the last audition call, whose sound is above
    std::atomic<int> samplesPerStep_{0};
    std::atomic<int> column_{-1};
    std::atomic<bool> rolling_{false};
    std::atomic<double> followedTempo_{0.0};

    // Window thread only.
    std::shared_ptr<const CKit> kit_;
    std::shared_ptr<const CInstrument> audition_;
    std::vector<Retired> retired_;

    // Audio thread only.
    MidiOutEvents midiOut_; // but for its atomics
    std::array<CTrack, kRows> tracks_;
    Preview preview_;
    Audition auditionNow_;
    std::uint64_t auditionSeen_ = 0;
    std::uint64_t resetSeen_ = 0;
    std::uint64_t previewSeen_ = 0;
    int step_ = -1;
    int firstColumn_ = 0; // played first after a Reset
    int count_ = 0;
    int samplesPerStepNow_ = 0;
    // Following a source: its position at this block's first frame and its speed, the
    // next whole step to start, and where the position should stand at the next block.
    bool syncAnchored_ = false;
    double syncStep_ = 0;
    double syncStepsPerFrame_ = 0;
    std::int64_t nextSyncStep_ = 0;
    double expectedSyncStep_ = 0;
    std::array<float, kChunkFrames> accL_{};
    std::array<float, kChunkFrames> accR_{};
};

} // namespace quom
