#include "core/audio/EngineRequests.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using namespace quom;

TEST(EngineRequests, EveryFieldSurvivesPackingAtItsLargestValue)
{
    const PreviewRequest widest{0xFFFFFFFFu, true, kKitSlots - 1, makeCell(255, 255, 255)};
    const auto preview = PreviewRequest::unpack(widest.pack());
    EXPECT_EQ(preview.serial, 0xFFFFFFFFu);
    EXPECT_TRUE(preview.start);
    EXPECT_EQ(preview.slot, kKitSlots - 1);
    EXPECT_EQ(preview.color, makeCell(255, 255, 255));

    const auto reset = ResetRequest::unpack(ResetRequest{(std::uint64_t{1} << 58) - 1, kColumns - 1}.pack());
    EXPECT_EQ(reset.serial, (std::uint64_t{1} << 58) - 1);
    EXPECT_EQ(reset.column, kColumns - 1);
}

TEST(EngineRequests, NoFieldSpillsIntoItsNeighbours)
{
    // A colour word with its unused top byte set must not start a preview or pick a slot.
    const auto stray
        = PreviewRequest::unpack(PreviewRequest{1, true, 0, 0xFF000000u | makeCell(1, 2, 3)}.pack());
    EXPECT_EQ(stray.slot, 0);
    EXPECT_EQ(stray.color, makeCell(1, 2, 3));
    EXPECT_EQ(stray.serial, 1u);

    // A stop is told from a start of slot 0 in black, and keeps its serial.
    const auto stop = PreviewRequest::unpack(PreviewRequest{.serial = 7}.pack());
    EXPECT_FALSE(stop.start);
    EXPECT_EQ(stop.serial, 7u);
    EXPECT_TRUE(PreviewRequest::unpack(PreviewRequest{7, true, 0, 0}.pack()).start);

    // Only the low 32 bits of a preview's serial travel; they leave the flags alone.
    const auto big = PreviewRequest::unpack(PreviewRequest{.serial = (std::uint64_t{1} << 32) + 5}.pack());
    EXPECT_EQ(big.serial, 5u);
    EXPECT_FALSE(big.start);
}

} // namespace
