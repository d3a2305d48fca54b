#include "core/edit/FreeSlots.h"

#include <cassert>

namespace quom {

FreeSlots::FreeSlots(int count)
    : used_(static_cast<std::size_t>(count), false)
    , free_(count)
{
}

int FreeSlots::take(int k)
{
    assert(free_ > 0);
    if (k >= free_)
        k = free_ - 1;
    for (std::size_t i = 0; i < used_.size(); ++i) {
        if (used_[i])
            continue;
        if (k == 0) {
            used_[i] = true;
            --free_;
            return static_cast<int>(i);
        }
        --k;
    }
    return -1; // unreachable while free_ counts the unused slots
}

} // namespace quom
