#pragma once

#include "core/sync/BlockSync.h"
#include "core/transport/Transport.h"

#include <QObject>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

// Quom in a Link session: the session's tempo, its beat phase on a one-bar quantum
// (4 beats = 16 steps, so a 64-step pattern spans 4 bars) and its start/stop state.
// Made only when the Sync setting chooses Link, and off the network until enable(true).
//
// Wiring. The audio back-end asks blockSync once per block (the BlockSyncSource of
// BlockSync.h) and hands the answer to Engine::Render; Quom's tempo slider calls
// setTempo, its Play and Stop call requestStart and requestStop (start/stop sync is on:
// the session's transport is Quom's), and the window shows tempoChanged, playingChanged
// and the peer signals.
//
// Threads. blockSync is for the one audio thread that renders the live engine: it only
// reads Link's real-time session state and an atomic, allocates nothing, makes no system
// call and never waits.
// Every other member is for the window thread. Link calls back on a thread of its own;
// the signals reach the window thread queued, in order.
namespace quom {

// The clock of an audio back-end's block times (BlockTime::hostMicros), in microseconds.
// JACK's is jack_get_time: CLOCK_MONOTONIC_RAW under JACK 2, CLOCK_MONOTONIC under
// PipeWire's JACK, and readable only once a client has been opened (JACK 2 crashes
// before; after, it reads on while servers come and go). Called on the window thread.
using HostClock = std::int64_t (*)();
// CLOCK_MONOTONIC.
std::int64_t monotonicMicros();

class LinkSession : public QObject, public BlockSyncSource, public SharedTransport {
    Q_OBJECT
public:
    // One bar of 4/4: peers agree on where the bar starts, so a 64-step pattern (4 bars)
    // starts each of its bars on a bar of the session.
    static constexpr double kQuantum = 4.0;

    // A session of Quom's own at tempo, not yet on the network, for blocks timed on
    // hostClock.
    explicit LinkSession(double tempo, HostClock hostClock = monotonicMicros, QObject* parent = nullptr);
    // Leaves the session; no signal is delivered after this.
    ~LinkSession() override;

    // Joins the session on the local network, or leaves it (Quom keeps the timeline).
    void enable(bool on);
    bool isEnabled() const;

    // Quom's tempo (whole BPM) becomes the session's; Link keeps it within 20..999.
    // A session tempo that rounds to bpm is left as it is, so the tempo slider showing
    // a peer's 133.4 BPM does not pull the whole session to 133.
    void setTempo(int bpm);
    // The session's transport: start puts the pattern's first step on the session's
    // next bar when others are in it, at once when Quom is alone. Starting while
    // playing, or stopping while stopped, changes nothing.
    void requestStart() noexcept override;
    void requestStop() noexcept override;

    // Any thread: the session's tempo and transport as last heard.
    double tempo() const { return tempo_.load(std::memory_order_relaxed); }
    bool isPlaying() const { return playing_.load(std::memory_order_relaxed); }
    // The other programs in the session.
    std::size_t peers() const;

    // Audio thread. time.hostMicros is on the session's host clock. Steps count from the session's first bar
    // line at or after its start (beat 0 of a start that Quom or a peer on Link's convention made); rolling
    // from the block in which that bar falls. A step is a quarter of the session's beat.
    std::optional<BlockSync> blockSync(const BlockTime& time) noexcept override;

signals:
    void tempoChanged(double bpm);
    void playingChanged(bool playing);
    void peersChanged(int peers);
    // The session had others and now has none: Quom plays on at the tempo it had.
    void lastPeerLeft();

private:
    void notePeers(int peers);
    void measureClockOffset();

    struct Session;
    std::unique_ptr<Session> session_;
    HostClock hostClock_;
    // Link's clock minus the host clock, measured on the window thread as they drift
    // apart (NTP slews CLOCK_MONOTONIC, not the raw clock Link runs on), so the audio
    // thread converts without reading a clock.
    std::atomic<std::int64_t> clockOffset_{0};
    std::atomic<double> tempo_{0};
    std::atomic<bool> playing_{false};
    int peers_ = 0; // window thread
};

} // namespace quom
