#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

// Leads a MIDI clock from Quom's own steps: Start, Song Position Pointer and Continue,
// Stop, and 24 pulses per quarter note placed on the frames of the block where they fall.
//
// It counts frames as the engine does: a step lasts framesPerStep(tempo) frames, read once
// per block, and pulse j of a step falls on frame j * framesPerStep / 6 of it, in integers,
// so every sixth pulse is the frame the engine starts a step and nothing drifts however
// long it runs. A step cut short by a faster tempo sends its missing pulses as it ends.
//
// Threads: the audio thread, beside Engine::Render (start, stop and render from one
// thread); render allocates nothing.
namespace quom {

struct ClockMessage {
    std::uint32_t frame = 0; // inside the block
    std::uint8_t size = 0;
    std::array<std::uint8_t, 3> bytes{};

    bool operator==(const ClockMessage&) const = default;
};

class MidiClockLeader {
public:
    // maxBlockFrames: the longest block render is given; the buffer holds every message
    // such a block can carry at the fastest tempo.
    explicit MidiClockLeader(std::uint32_t maxBlockFrames);

    // Heard at the next block's first frame, as the engine hears Play and Stop.
    void start() noexcept;
    // Song Position Pointer to step, then Continue: the pulses go on from step.
    void continueFrom(int step) noexcept;
    void stop() noexcept;
    bool playing() const noexcept { return playing_; }

    // The messages of the next frameCount frames at tempo, in frame order; valid until
    // the next call. A longer block than promised loses what does not fit (overflowed()).
    std::span<const ClockMessage> render(std::uint32_t frameCount, int tempo) noexcept;
    bool overflowed() const noexcept { return overflowed_; }
    // The most messages one render returns.
    std::size_t capacity() const noexcept { return messages_.size(); }

private:
    enum class Request : std::uint8_t { None, Start, Continue, Stop };

    void applyRequest() noexcept;
    void put(std::uint32_t frame, std::initializer_list<std::uint8_t> bytes) noexcept;
    void emitPulsesDue(std::uint32_t frame, int framesPerStep) noexcept;

    std::vector<ClockMessage> messages_; // sized once; render fills its front
    std::size_t used_ = 0;
    bool overflowed_ = false;

    Request request_ = Request::None;
    int continueStep_ = 0;
    bool playing_ = false;
    int frameInStep_ = 0;
    int pulseInStep_ = 0; // the next pulse of the step, 0..6
};

} // namespace quom
