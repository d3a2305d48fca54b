#include "core/audio/SpscRing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <vector>

namespace {

using quom::SpscRing;

TEST(SpscRing, AcceptsAWholeBlockOrNothing)
{
    SpscRing<int> ring(6); // rounded up to 8
    EXPECT_EQ(ring.capacity(), 8u);
    const int block[5] = {1, 2, 3, 4, 5};
    EXPECT_TRUE(ring.push(block, 5));
    EXPECT_FALSE(ring.push(block, 4)); // 3 free: the block is refused, not cut
    EXPECT_EQ(ring.writable(), 3u);

    int out[8] = {};
    EXPECT_EQ(ring.pop(out, 2), 2u);
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[1], 2);
    EXPECT_TRUE(ring.push(block, 5)); // wraps around the end of the storage
    EXPECT_EQ(ring.pop(out, 8), 8u);
    EXPECT_EQ(std::vector<int>(out, out + 8), (std::vector<int>{3, 4, 5, 1, 2, 3, 4, 5}));
    EXPECT_TRUE(ring.empty());
    EXPECT_EQ(ring.pop(out, 8), 0u);
}

TEST(SpscRing, AProducerAndAConsumerThreadLoseAndReorderNothing)
{
    constexpr std::uint32_t kCount = 2'000'000;
    SpscRing<std::uint32_t> ring(1024);

    std::thread producer([&] {
        std::uint32_t next = 0;
        std::uint32_t block[97];
        std::size_t size = 1;
        while (next < kCount) {
            size = size % 97 + 1; // blocks of every size, so the wrap point moves
            const std::size_t n = std::min<std::size_t>(size, kCount - next);
            for (std::size_t i = 0; i < n; ++i)
                block[i] = next + static_cast<std::uint32_t>(i);
            if (ring.push(block, n))
                next += static_cast<std::uint32_t>(n);
            else
                std::this_thread::yield();
        }
    });

    std::uint32_t expected = 0;
    bool inOrder = true;
    std::uint32_t out[61];
    while (expected < kCount) {
        const std::size_t n = ring.pop(out, 61);
        for (std::size_t i = 0; i < n; ++i)
            inOrder = inOrder && out[i] == expected++;
        if (n == 0)
            std::this_thread::yield();
    }
    producer.join();
    EXPECT_TRUE(inOrder);
    EXPECT_TRUE(ring.empty());
}

} // namespace
