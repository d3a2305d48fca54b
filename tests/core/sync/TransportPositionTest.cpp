#include "core/sync/TransportPosition.h"

#include "core/model/Tempo.h"

#include <gtest/gtest.h>

namespace quom {
namespace {

// Quom as master writes bar, beat and tick from its own step frames; a follower reading
// them back stands on the same step, at the tempo Quom's steps really have.
TEST(TransportPosition, BarBeatTickRoundTripsThroughFollowing)
{
    for (const int tempo : {1, 97, 120, 350}) {
        const int stepFrames = framesPerStep(tempo);
        for (const std::uint64_t step : {0ull, 1ull, 15ull, 16ull, 63ull, 64ull, 1001ull}) {
            const BarBeatTick bbt = barBeatTickAt(step * stepFrames, tempo);
            EXPECT_EQ(bbt.bar, static_cast<int>(step / 16 + 1));
            EXPECT_EQ(bbt.beat, static_cast<int>(step / 4 % 4 + 1));
            EXPECT_EQ(bbt.tick, static_cast<int>(step % 4 * 480));
            TransportPosition position{true, step * stepFrames, 44100, true, bbt.bar, bbt.beat, bbt.tick,
                1920, 4, bbt.beatsPerMinute};
            const BlockSync sync = followTransport(position, 50);
            EXPECT_NEAR(sync.step, static_cast<double>(step), 1e-9) << tempo << " " << step;
            EXPECT_NEAR(1.0 / sync.stepsPerFrame, stepFrames, 1e-6);
        }
    }
    EXPECT_EQ(barBeatTickAt(5512 * 16 - 1, 120).bar, 1);
    EXPECT_EQ(barBeatTickAt(5512 * 16 - 1, 120).tick, 1919);
}

// Without a master the frame counts Quom's own steps; a master's nonsense is not trusted.
TEST(TransportPosition, WithoutBarBeatTickTheFrameCountsOwnSteps)
{
    TransportPosition position;
    position.rolling = true;
    position.frame = 5512 * 10;
    EXPECT_DOUBLE_EQ(followTransport(position, 120).step, 10.0);
    position.hasBarBeatTick = true;
    position.beatsPerMinute = 0;
    EXPECT_DOUBLE_EQ(followTransport(position, 120).step, 10.0);
    EXPECT_TRUE(followTransport(position, 120).rolling);
}

} // namespace
} // namespace quom
