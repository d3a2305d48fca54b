#pragma once

#include <vector>

// Picks targets for a random permutation: the k-th slot that is still free, counted
// from 0 in increasing order. The shuffles and random painting draw k with
// randomInt, which can give one past the last free slot; such a k takes the last
// free slot, so a permutation never reads past its end.
namespace quom {

class FreeSlots {
public:
    explicit FreeSlots(int count);

    int freeCount() const noexcept { return free_; }

    // Marks the k-th free slot used and returns its index. Requires freeCount() > 0.
    int take(int k);

private:
    std::vector<bool> used_;
    int free_;
};

} // namespace quom
