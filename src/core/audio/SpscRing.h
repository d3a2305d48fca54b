#pragma once

#include <atomic>
#include <bit>
#include <cstddef>
#include <vector>

// A fixed-size ring for one producer thread and one consumer thread, without locks.
// The storage is allocated once, in the constructor; push and pop never allocate and
// are safe on the audio thread. The indices are published with release/acquire so
// that the consumer sees the items the producer wrote before moving the head.
namespace quom {

template <class T> class SpscRing {
public:
    // Capacity is rounded up to a power of two.
    explicit SpscRing(std::size_t capacity)
        : items_(std::bit_ceil(capacity < 2 ? 2 : capacity))
        , mask_(items_.size() - 1)
    {
    }
    SpscRing(const SpscRing&) = delete;
    SpscRing& operator=(const SpscRing&) = delete;

    std::size_t capacity() const noexcept { return items_.size(); }

    // Producer: how many items fit now (the consumer can only make this grow).
    std::size_t writable() const noexcept
    {
        return capacity() - (head_.load(std::memory_order_relaxed) - tail_.load(std::memory_order_acquire));
    }

    // Producer: appends all n items, or none when they do not fit.
    bool push(const T* items, std::size_t n) noexcept
    {
        if (n > writable())
            return false;
        const std::size_t head = head_.load(std::memory_order_relaxed);
        for (std::size_t i = 0; i < n; ++i)
            items_[(head + i) & mask_] = items[i];
        head_.store(head + n, std::memory_order_release);
        return true;
    }

    // Consumer: takes up to n items, oldest first; returns how many.
    std::size_t pop(T* out, std::size_t n) noexcept
    {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        const std::size_t available = head_.load(std::memory_order_acquire) - tail;
        if (n > available)
            n = available;
        for (std::size_t i = 0; i < n; ++i)
            out[i] = items_[(tail + i) & mask_];
        tail_.store(tail + n, std::memory_order_release);
        return n;
    }

    // Consumer: whether nothing is waiting.
    bool empty() const noexcept
    {
        return head_.load(std::memory_order_acquire) == tail_.load(std::memory_order_relaxed);
    }

private:
    std::vector<T> items_;
    const std::size_t mask_;
    // Apart, so that the two threads do not fight over one cache line.
    alignas(64) std::atomic<std::size_t> head_{0}; // written by the producer only
    alignas(64) std::atomic<std::size_t> tail_{0}; // written by the consumer only
};

} // namespace quom
