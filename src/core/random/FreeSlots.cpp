#include "core/random/FreeSlots.h"

#include <cassert>

namespace quom {

FreeSlots::FreeSlots(int count)
    : counts_(static_cast<std::size_t>(count) + 1, 0)
    , free_(count)
{
    for (int i = 1; i <= count; ++i) {
        ++counts_[i];
        if (const int parent = i + (i & -i); parent <= count)
            counts_[parent] += counts_[i];
    }
    while (topBit_ * 2 <= count)
        topBit_ *= 2;
}

int FreeSlots::take(int k)
{
    assert(free_ > 0);
    if (k >= free_)
        k = free_ - 1;
    // Descend to the last position whose prefix holds k free slots: the next is the k-th.
    const int count = static_cast<int>(counts_.size()) - 1;
    int position = 0;
    for (int step = topBit_; step > 0; step /= 2) {
        const int next = position + step;
        if (next <= count && counts_[next] <= k) {
            position = next;
            k -= counts_[next];
        }
    }
    for (int i = position + 1; i <= count; i += i & -i)
        --counts_[i];
    --free_;
    return position;
}

} // namespace quom
