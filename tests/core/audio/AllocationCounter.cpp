#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {

// Per thread, so the writer thread of a recording and gtest's own bookkeeping on other
// threads do not count.
thread_local bool counting = false;
thread_local std::size_t allocations = 0;

void* tryAllocate(std::size_t size, std::size_t alignment) noexcept
{
    if (counting)
        ++allocations;
    if (size == 0)
        size = 1;
    if (alignment <= alignof(std::max_align_t))
        return std::malloc(size);
    return std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
}

void* allocate(std::size_t size, std::size_t alignment)
{
    if (void* p = tryAllocate(size, alignment))
        return p;
    throw std::bad_alloc();
}

constexpr std::size_t kPlain = alignof(std::max_align_t);

} // namespace

// Every replaceable form, so that none falls back to a sanitizer's own allocator and
// frees memory this one took.
void* operator new(std::size_t n)
{
    return allocate(n, kPlain);
}
void* operator new[](std::size_t n)
{
    return allocate(n, kPlain);
}
void* operator new(std::size_t n, std::align_val_t a)
{
    return allocate(n, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t n, std::align_val_t a)
{
    return allocate(n, static_cast<std::size_t>(a));
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept
{
    return tryAllocate(n, kPlain);
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept
{
    return tryAllocate(n, kPlain);
}
void* operator new(std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return tryAllocate(n, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return tryAllocate(n, static_cast<std::size_t>(a));
}

void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept
{
    std::free(p);
}

AllocationCounter::AllocationCounter() noexcept
{
    allocations = 0;
    counting = true;
}

AllocationCounter::~AllocationCounter()
{
    counting = false;
}

std::size_t AllocationCounter::count() const noexcept
{
    return allocations;
}
