#include "core/random/FreeSlots.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using quom::FreeSlots;

// The k-th unused slot by counting, as the permutations define it.
int kthFree(std::vector<bool>& used, int k)
{
    for (int i = 0; i < static_cast<int>(used.size()); ++i) {
        if (!used[i] && k-- == 0) {
            used[i] = true;
            return i;
        }
    }
    return -1;
}

TEST(FreeSlots, TakesTheSameSlotsAsCountingTheFreeOnes)
{
    std::mt19937 gen(5);
    for (const int count : {1, 2, 3, 7, 64, 100, 4096}) {
        FreeSlots slots(count);
        std::vector<bool> used(static_cast<std::size_t>(count), false);
        for (int left = count; left > 0; --left) {
            // One past the last free slot is allowed and takes the last.
            const int k = std::uniform_int_distribution<int>(0, left)(gen);
            const int expected = kthFree(used, k < left ? k : left - 1);
            ASSERT_EQ(slots.take(k), expected) << count << " slots, " << left << " free";
            ASSERT_EQ(slots.freeCount(), left - 1);
        }
    }
}

} // namespace
