#include "core/sync/MidiClockFollower.h"

#include <algorithm>
#include <cmath>

namespace quom {
namespace {

double pulsePeriod(double ticksPerSecond, double tempo) noexcept
{
    return ticksPerSecond * 60.0 / (tempo * kPulsesPerQuarter);
}

// Unsigned, so that no pair of timestamps overflows.
double ticksBetween(std::int64_t earlier, std::int64_t later) noexcept
{
    return static_cast<double>(static_cast<std::uint64_t>(later) - static_cast<std::uint64_t>(earlier));
}

// Song positions stay far inside 64 bits whatever the timestamps, so no sum overflows.
constexpr double kFarthest = 0x1p52;

bool isDataByte(std::uint8_t byte) noexcept
{
    return byte < 0x80;
}

} // namespace

MidiClockFollower::MidiClockFollower(std::int64_t ticksPerSecond, int startTempo) noexcept
    : ticksPerSecond_(static_cast<double>(std::max<std::int64_t>(ticksPerSecond, 1)))
    , period_(pulsePeriod(ticksPerSecond_, clampTempo(startTempo)))
{
}

void MidiClockFollower::receive(std::span<const std::uint8_t> message, std::int64_t time) noexcept
{
    if (message.empty())
        return;
    switch (message[0]) {
    case kMidiClock:
        pulse(time);
        break;
    case kMidiStart:
        startFrom(0);
        break;
    case kMidiContinue:
        startFrom(nextPosition_);
        break;
    case kMidiStop:
        stop();
        break;
    case kMidiSongPosition:
        if (message.size() >= 3 && isDataByte(message[1]) && isDataByte(message[2]))
            songPosition(message[1], message[2]);
        break;
    default:
        break;
    }
}

double MidiClockFollower::tempo() const noexcept
{
    return ticksPerSecond_ * 60.0 / (clampedPeriod() * kPulsesPerQuarter);
}

std::optional<double> MidiClockFollower::stepAt(std::int64_t time) const noexcept
{
    if (!running_ || !positioned_)
        return std::nullopt;
    return positionAt(time) / kPulsesPerStep;
}

bool MidiClockFollower::sourceLost(std::int64_t now) const noexcept
{
    if (newest_ < 0)
        return true;
    const std::int64_t last = pulses_[newest_].time;
    return now > last && ticksBetween(last, now) > patience();
}

double MidiClockFollower::patience() const noexcept
{
    // Until two pulses have measured it, the clock may be as slow as Quom's slowest tempo.
    const double period = kept_ >= 2 ? clampedPeriod() : pulsePeriod(ticksPerSecond_, kMinTempo);
    return std::max(ticksPerSecond_ / 2, 4 * period);
}

void MidiClockFollower::pulse(std::int64_t time) noexcept
{
    ++pulseCount_;
    const bool backwards = newest_ >= 0 && time < pulses_[newest_].time;
    if (backwards && ticksBetween(time, pulses_[newest_].time) <= patience())
        return; // counted, but a time out of order would bend the line
    if (backwards || sourceLost(time)) {
        // The pulses that went missing are unknown: carry on from where the last tempo
        // got to (where it stood, for a clock that restarted far back), to the nearest pulse.
        if (running_ && positioned_ && newest_ >= 0) {
            const double estimate = backwards ? anchorPosition_ : positionAt(time);
            positionOffset_ = std::llround(std::clamp(estimate, -kFarthest, kFarthest)) - pulseCount_;
        }
        kept_ = 0;
    }
    if (kept_ >= 2 && offTheLine(time)) {
        if (++offTheLineRun_ >= 2)
            keepNewest(1);
    } else {
        offTheLineRun_ = 0;
    }
    newest_ = (newest_ + 1) % kFitPulses;
    pulses_[newest_] = {pulseCount_, time};
    kept_ = std::min(kept_ + 1, kFitPulses);
    lateness_ = fit();

    if (!running_)
        return;
    if (!positioned_) {
        positioned_ = true;
        positionOffset_ = nextPosition_ - pulseCount_;
        anchorTime_ = time;
        anchorPosition_ = static_cast<double>(nextPosition_);
        return;
    }
    const bool inRange = clampedPeriod() == period_;
    // Out of range Quom keeps its own pace rather than jump to each pulse.
    anchorPosition_ = inRange ? static_cast<double>(pulseCount_ + positionOffset_) + lateness_ / period_
                              : positionAt(time);
    anchorTime_ = time;
}

double MidiClockFollower::fit() noexcept
{
    if (kept_ < 2)
        return 0;
    // x: pulses before the newest, y: ticks before it; both small, so doubles stay exact.
    const Pulse newest = pulses_[newest_];
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (int i = 0; i < kept_; ++i) {
        const Pulse& p = pulses_[(newest_ - i + kFitPulses) % kFitPulses];
        const double x = static_cast<double>(p.index - newest.index);
        const double y = -ticksBetween(p.time, newest.time);
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    const double n = kept_;
    const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    if (slope > 0)
        period_ = slope;
    if (kept_ < kBandPulses)
        return -(sy - period_ * sx) / n;
    // Then the line through the middles of the bands the older and the newer half of the
    // pulses fall in: jitter spread evenly averages out far faster there than in the
    // least-squares line, and trimming each band's outermost pulses means one pulse a
    // scheduler held up moves nothing.
    const int older = kept_ / 2;
    for (int refinement = 0; refinement < 2; ++refinement) {
        const double olderMiddle = bandMiddle(older, kept_);
        const double newerMiddle = bandMiddle(0, older);
        const double correction = (newerMiddle - olderMiddle) / static_cast<double>(kept_ - older);
        if (period_ + correction > 0)
            period_ += correction;
    }
    return -bandMiddle(0, kept_);
}

double MidiClockFollower::bandMiddle(int from, int to) noexcept
{
    // Offsets from the line through the newest pulse at period_, in pulses from newest back.
    const Pulse newest = pulses_[newest_];
    for (int i = from; i < to; ++i) {
        const Pulse& p = pulses_[(newest_ - i + kFitPulses) % kFitPulses];
        offsets_[i]
            = -ticksBetween(p.time, newest.time) - period_ * static_cast<double>(p.index - newest.index);
    }
    const auto band = std::span(offsets_).subspan(from, to - from);
    std::sort(band.begin(), band.end());
    const std::size_t trim = band.size() / 16;
    return (band[trim] + band[band.size() - 1 - trim]) / 2;
}

bool MidiClockFollower::offTheLine(std::int64_t time) const noexcept
{
    const Pulse newest = pulses_[newest_];
    const double expected = static_cast<double>(pulseCount_ - newest.index) * period_ - lateness_;
    const double tolerance = std::max(ticksPerSecond_ * 0.008, period_ / 4);
    return std::abs(ticksBetween(newest.time, time) - expected) > tolerance;
}

void MidiClockFollower::keepNewest(int count) noexcept
{
    kept_ = std::min(kept_, count);
    offTheLineRun_ = 0;
}

void MidiClockFollower::songPosition(std::uint8_t lsb, std::uint8_t msb) noexcept
{
    nextPosition_ = static_cast<std::int64_t>(lsb | msb << 7) * kPulsesPerStep;
    positioned_ = false;
}

void MidiClockFollower::stop() noexcept
{
    if (running_ && positioned_)
        nextPosition_ = pulseCount_ + positionOffset_ + 1;
    running_ = false;
    positioned_ = false;
}

void MidiClockFollower::startFrom(std::int64_t position) noexcept
{
    nextPosition_ = position;
    running_ = true;
    positioned_ = false;
}

double MidiClockFollower::clampedPeriod() const noexcept
{
    return std::clamp(
        period_, pulsePeriod(ticksPerSecond_, kMaxTempo), pulsePeriod(ticksPerSecond_, kMinTempo));
}

double MidiClockFollower::positionAt(std::int64_t time) const noexcept
{
    const double since
        = time >= anchorTime_ ? ticksBetween(anchorTime_, time) : -ticksBetween(time, anchorTime_);
    return anchorPosition_ + since / clampedPeriod();
}

} // namespace quom
