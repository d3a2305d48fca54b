#include "core/sync/MidiClockLeader.h"

#include "core/model/Tempo.h"
#include "core/sync/MidiClock.h"

#include <algorithm>
#include <utility>

namespace quom {
namespace {

int pulseFrame(int pulse, int framesPerStep) noexcept
{
    return static_cast<int>(static_cast<std::int64_t>(pulse) * framesPerStep / kPulsesPerStep);
}

std::size_t capacityFor(std::uint32_t maxBlockFrames)
{
    // Every step the block touches sends its six pulses, and the block begins with at most
    // a Song Position Pointer and a Continue (or a Start or a Stop).
    const std::size_t steps = maxBlockFrames / framesPerStep(kMaxTempo) + 2;
    return steps * kPulsesPerStep + 2;
}

} // namespace

MidiClockLeader::MidiClockLeader(std::uint32_t maxBlockFrames)
    : messages_(capacityFor(maxBlockFrames))
{
}

void MidiClockLeader::start() noexcept
{
    request_ = Request::Start;
}

void MidiClockLeader::continueFrom(int step) noexcept
{
    request_ = Request::Continue;
    continueStep_ = step;
}

void MidiClockLeader::stop() noexcept
{
    request_ = Request::Stop;
}

std::span<const ClockMessage> MidiClockLeader::render(std::uint32_t frameCount, int tempo) noexcept
{
    used_ = 0;
    applyRequest();
    if (playing_) {
        const int sps = framesPerStep(tempo);
        std::uint32_t frame = 0;
        while (frame < frameCount) {
            if (frameInStep_ >= sps) {
                emitPulsesDue(frame, sps); // what a faster tempo cut short
                frameInStep_ = 0;
                pulseInStep_ = 0;
            }
            emitPulsesDue(frame, sps);
            const int next = pulseInStep_ < kPulsesPerStep ? pulseFrame(pulseInStep_, sps) : sps;
            const auto advance = std::min<std::uint32_t>(
                frameCount - frame, static_cast<std::uint32_t>(next - frameInStep_));
            frame += advance;
            frameInStep_ += static_cast<int>(advance);
        }
    }
    return {messages_.data(), used_};
}

void MidiClockLeader::applyRequest() noexcept
{
    const Request request = std::exchange(request_, Request::None);
    switch (request) {
    case Request::None:
        return;
    case Request::Stop:
        if (playing_)
            put(0, {kMidiStop});
        playing_ = false;
        return;
    case Request::Start:
        put(0, {kMidiStart});
        break;
    case Request::Continue: {
        const int position = ((continueStep_ % kSongPositionSteps) + kSongPositionSteps) % kSongPositionSteps;
        put(0,
            {kMidiSongPosition, static_cast<std::uint8_t>(position & 0x7F),
                static_cast<std::uint8_t>(position >> 7)});
        put(0, {kMidiContinue});
        break;
    }
    }
    playing_ = true;
    frameInStep_ = 0;
    pulseInStep_ = 0;
}

void MidiClockLeader::emitPulsesDue(std::uint32_t frame, int framesPerStep) noexcept
{
    const bool stepEnded = frameInStep_ >= framesPerStep;
    while (pulseInStep_ < kPulsesPerStep
        && (stepEnded || pulseFrame(pulseInStep_, framesPerStep) <= frameInStep_)) {
        put(frame, {kMidiClock});
        ++pulseInStep_;
    }
}

void MidiClockLeader::put(std::uint32_t frame, std::initializer_list<std::uint8_t> bytes) noexcept
{
    if (used_ == messages_.size()) {
        overflowed_ = true;
        return;
    }
    ClockMessage& m = messages_[used_++];
    m.frame = frame;
    m.size = static_cast<std::uint8_t>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), m.bytes.begin());
}

} // namespace quom
