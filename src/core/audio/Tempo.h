#pragma once

#include <atomic>

// Where the engine and the pattern model read the tempo (beats per minute). The
// window's tempo slider implements it; the audio thread calls tempo() once per
// block, so an implementation must be lock-free and must not allocate.
namespace quom {

class TempoSource {
public:
    virtual ~TempoSource() = default;
    virtual int tempo() const noexcept = 0;
};

// A tempo held in an atomic: for renders without a window, and for tests.
class TempoValue final : public TempoSource {
public:
    explicit TempoValue(int bpm = 120) noexcept
        : bpm_(bpm)
    {
    }
    int tempo() const noexcept override { return bpm_.load(std::memory_order_relaxed); }
    void set(int bpm) noexcept { bpm_.store(bpm, std::memory_order_relaxed); }

private:
    std::atomic<int> bpm_;
};

} // namespace quom
