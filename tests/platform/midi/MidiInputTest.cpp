#include "platform/midi/MidiInput.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <vector>

// Runs with or without a MIDI system: a machine with none has no ports and opens
// nothing, and closing is safe at any time.
TEST(MidiInput, OpensOnlyPortsThatExistAndClosesAtAnyTime)
{
    quom::MidiInput input;
    const auto names = input.portNames();
    const int count = static_cast<int>(names.size());
    EXPECT_FALSE(input.open(-1));
    EXPECT_FALSE(input.open(count));
    EXPECT_EQ(input.open(0), count > 0);
    input.close();
    input.close();
    EXPECT_EQ(input.open(0), count > 0);
}

// Under Quom's JACK client the window thread reads the client's messages from a feed, in
// their order, and at most a ring's worth per tick, however fast a flood refills it.
TEST(MidiInput, DeliversTheFeedInOrderAndBoundsAFlood)
{
    std::uint32_t next = 0;
    bool flood = false;
    quom::MidiInput input([&](std::span<std::uint32_t> out) -> std::size_t {
        const std::size_t count = flood ? out.size() : (next < 3 ? 3 : 0);
        for (std::size_t i = 0; i < count; ++i)
            out[i] = next++;
        return count;
    });
    std::vector<std::uint32_t> received;
    QObject::connect(
        &input, &quom::MidiInput::message, [&received](std::uint32_t m) { received.push_back(m); });
    QSignalSpy spy(&input, &quom::MidiInput::message);
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(received, (std::vector<std::uint32_t>{0, 1, 2}));

    received.clear();
    flood = true;
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(received.size(), 4096u);
    EXPECT_EQ(received.front() + 4095, received.back());
}
