#pragma once

#include <cstddef>

// Counts the heap allocations one thread makes while a section is open. The program
// that links AllocationCounter.cpp replaces the global operator new, so it must be a
// test executable of its own.
class AllocationCounter {
public:
    // Opens the section on the calling thread.
    AllocationCounter() noexcept;
    // Closes it.
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;

    // Allocations by this thread since the section opened.
    std::size_t count() const noexcept;
};
