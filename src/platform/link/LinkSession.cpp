#include "platform/link/LinkSession.h"

#include <ableton/Link.hpp>

#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <limits>

namespace quom {

namespace {

constexpr double kStepsPerBeat = 4.0;
// Link keeps beats in millionths: a start this close after a bar line is on it.
constexpr double kOnTheBar = 1e-3;
// Often enough that a slewing clock drifts by microseconds in between.
constexpr int kClockMeasureMillis = 250;
constexpr double kQuantum = LinkSession::kQuantum;

} // namespace

std::int64_t monotonicMicros()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1000000 + now.tv_nsec / 1000;
}

struct LinkSession::Session {
    explicit Session(double tempo)
        : link(tempo)
    {
    }
    ableton::Link link;
};

LinkSession::LinkSession(double tempo, HostClock hostClock, QObject* parent)
    : QObject(parent)
    , session_(std::make_unique<Session>(tempo))
    , hostClock_(hostClock)
{
    measureClockOffset();
    auto* clockTimer = new QTimer(this);
    connect(clockTimer, &QTimer::timeout, this, &LinkSession::measureClockOffset);
    clockTimer->start(kClockMeasureMillis);

    ableton::Link& link = session_->link;
    tempo_.store(link.captureAppSessionState().tempo(), std::memory_order_relaxed); // as Link clamped it
    link.enableStartStopSync(true);
    // Link's thread: what the window shows goes there queued; a call still queued when
    // the session is destroyed is dropped with it.
    link.setTempoCallback([this](double bpm) {
        tempo_.store(bpm, std::memory_order_relaxed);
        QMetaObject::invokeMethod(
            this, [this, bpm] { emit tempoChanged(bpm); }, Qt::QueuedConnection);
    });
    link.setStartStopCallback([this](bool playing) {
        playing_.store(playing, std::memory_order_relaxed);
        QMetaObject::invokeMethod(
            this, [this, playing] { emit playingChanged(playing); }, Qt::QueuedConnection);
    });
    link.setNumPeersCallback([this](std::size_t peers) {
        QMetaObject::invokeMethod(
            this, [this, peers] { notePeers(static_cast<int>(peers)); }, Qt::QueuedConnection);
    });
}

LinkSession::~LinkSession()
{
    // Link joins its threads here, so none of its callbacks runs past this line.
    session_.reset();
}

void LinkSession::enable(bool on)
{
    session_->link.enable(on);
}

bool LinkSession::isEnabled() const
{
    return session_->link.isEnabled();
}

std::size_t LinkSession::peers() const
{
    return session_->link.numPeers();
}

void LinkSession::setTempo(int bpm)
{
    ableton::Link& link = session_->link;
    auto state = link.captureAppSessionState();
    if (std::lround(state.tempo()) == bpm)
        return;
    state.setTempo(bpm, link.clock().micros());
    link.commitAppSessionState(state);
}

void LinkSession::requestStart() noexcept
{
    ableton::Link& link = session_->link;
    auto state = link.captureAppSessionState();
    if (state.isPlaying())
        return;
    state.setIsPlayingAndRequestBeatAtTime(true, link.clock().micros(), 0, kQuantum);
    link.commitAppSessionState(state);
}

void LinkSession::requestStop() noexcept
{
    ableton::Link& link = session_->link;
    auto state = link.captureAppSessionState();
    if (!state.isPlaying())
        return;
    state.setIsPlaying(false, link.clock().micros());
    link.commitAppSessionState(state);
}

void LinkSession::measureClockOffset()
{
    // The reading of Link's clock most tightly bracketed by two of the host's.
    const auto& link = session_->link;
    std::int64_t closest = std::numeric_limits<std::int64_t>::max();
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::int64_t before = hostClock_();
        const std::int64_t linkNow = link.clock().micros().count();
        const std::int64_t after = hostClock_();
        if (after - before < closest) {
            closest = after - before;
            clockOffset_.store(linkNow - before - (after - before) / 2, std::memory_order_relaxed);
        }
    }
}

void LinkSession::notePeers(int peers)
{
    const bool lastLeft = peers_ > 0 && peers == 0;
    peers_ = peers;
    emit peersChanged(peers);
    if (lastLeft)
        emit lastPeerLeft();
}

std::optional<BlockSync> LinkSession::blockSync(const BlockTime& time) noexcept
{
    // Read only: a commit here would wake Link's thread, a system call on the audio thread.
    const auto state = session_->link.captureAudioSessionState();
    const bool playing = state.isPlaying();
    // The pattern's first step is the session's first bar line at or after the start:
    // where Quom, or a peer on Link's own convention, put beat 0 of the start.
    const double startBeat = state.beatAtTime(state.timeForIsPlaying(), kQuantum);
    const double firstBar = std::ceil((startBeat - kOnTheBar) / kQuantum) * kQuantum;

    const std::chrono::microseconds at(time.hostMicros + clockOffset_.load(std::memory_order_relaxed));
    BlockSync sync;
    sync.tempo = state.tempo();
    sync.step = (state.beatAtTime(at, kQuantum) - firstBar) * kStepsPerBeat;
    sync.stepsPerFrame = sync.tempo / 60.0 * kStepsPerBeat / std::max(time.sampleRate, 1);
    // Until then the session waits for that bar.
    sync.rolling = playing && sync.step + sync.stepsPerFrame * time.frames > 0;
    return sync;
}

} // namespace quom
