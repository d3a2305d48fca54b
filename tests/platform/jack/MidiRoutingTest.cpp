#include "platform/jack/MidiRouting.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quom {
namespace {

MidiInRoute route(std::vector<std::uint8_t> bytes)
{
    return routeMidiIn(bytes);
}

TEST(MidiRouting, ClockMessagesGoToTheFollowerOnlyWhenWellFormed)
{
    for (std::uint8_t status : {0xF8, 0xFA, 0xFB, 0xFC}) {
        EXPECT_EQ(route({status}), MidiInRoute::Clock) << int{status};
        EXPECT_EQ(route({status, 0x00}), MidiInRoute::Ignored) << int{status};
    }
    EXPECT_EQ(route({0xF2, 0x10, 0x7F}), MidiInRoute::Clock);
    EXPECT_EQ(route({0xF2, 0x10}), MidiInRoute::Ignored);
    EXPECT_EQ(route({0xF2, 0x80, 0x00}), MidiInRoute::Ignored);
}

TEST(MidiRouting, LiveControlGetsWholeChannelMessagesAndNothingElse)
{
    EXPECT_EQ(route({0xB0, 0x07, 0x14}), MidiInRoute::Control);
    EXPECT_EQ(route({0xC3, 0x01}), MidiInRoute::Control);
    EXPECT_EQ(route({0xDF, 0x7F}), MidiInRoute::Control);
    EXPECT_EQ(route({0xEF, 0x00, 0x40}), MidiInRoute::Control);

    EXPECT_EQ(route({}), MidiInRoute::Ignored);
    EXPECT_EQ(route({0x07, 0x14}), MidiInRoute::Ignored); // running status: a lone data byte
    EXPECT_EQ(route({0xB0, 0x07}), MidiInRoute::Ignored); // cut short
    EXPECT_EQ(route({0xC3, 0x01, 0x02}), MidiInRoute::Ignored); // one byte too many
    EXPECT_EQ(route({0x90, 0x40, 0xF8}), MidiInRoute::Ignored); // a status among the data
    EXPECT_EQ(route({0xFE}), MidiInRoute::Ignored); // active sensing
    EXPECT_EQ(route({0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}), MidiInRoute::Ignored);
    EXPECT_EQ(route(std::vector<std::uint8_t>(100000, 0x42)), MidiInRoute::Ignored);
}

TEST(MidiRouting, PacksAsMidiInputDoes)
{
    const std::vector<std::uint8_t> controller{0xB2, 0x07, 0x64};
    EXPECT_EQ(packShortMessage(controller), 0x6407B2u);
    const std::vector<std::uint8_t> program{0xC0, 0x05};
    EXPECT_EQ(packShortMessage(program), 0x05C0u);
}

// What forEachInFrameOrder writes, one string per message: "frame:hex bytes".
std::vector<std::string> written(std::span<const MidiOutEvent> events, std::span<const ClockMessage> clock)
{
    std::vector<std::string> out;
    forEachInFrameOrder(events, clock, [&out](std::uint32_t frame, std::span<const std::uint8_t> bytes) {
        std::string text = std::to_string(frame) + ":";
        for (std::uint8_t b : bytes) {
            static constexpr char kHex[] = "0123456789abcdef";
            text += kHex[b >> 4];
            text += kHex[b & 15];
        }
        out.push_back(text);
    });
    return out;
}

TEST(MidiRouting, MergesNotesAndClockInFrameOrderWithTheClockFirstAtATie)
{
    const std::vector<MidiOutEvent> events{
        {0, {0xB0, 0x0A, 0x40}},
        {0, {0x90, 0x40, 0x7F}},
        {100, {0xC1, 0x03, 0x00}},
        {300, {0x80, 0x40, 0x00}},
    };
    const std::vector<ClockMessage> clock{
        {0, 1, {0xFA}},
        {0, 1, {0xF8}},
        {150, 1, {0xF8}},
        {300, 1, {0xF8}},
        {400, 1, {0xFC}},
    };
    EXPECT_EQ(written(events, clock),
        (std::vector<std::string>{
            "0:fa", "0:f8", "0:b00a40", "0:90407f", "100:c103", "150:f8", "300:f8", "300:804000", "400:fc"}));
    EXPECT_EQ(written(events, {}).size(), events.size());
    EXPECT_EQ(written({}, clock).size(), clock.size());
    EXPECT_TRUE(written({}, {}).empty());
}

} // namespace
} // namespace quom
