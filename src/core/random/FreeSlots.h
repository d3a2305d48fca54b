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

    // Marks the k-th free slot used and returns its index, in about log2(count) steps.
    // Requires freeCount() > 0.
    int take(int k);

private:
    // A Fenwick tree of the free marks: counts_[i] holds the free slots among the
    // lowbit(i) slots ending at slot i - 1.
    std::vector<int> counts_;
    int topBit_ = 1; // the highest power of two not above the slot count
    int free_;
};

} // namespace quom
