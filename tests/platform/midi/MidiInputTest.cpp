#include "platform/midi/MidiInput.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
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
    quom::JackMidiIn jack;
    jack.take = [&](std::span<std::uint32_t> out) -> std::size_t {
        const std::size_t count = flood ? out.size() : (next < 3 ? 3 : 0);
        for (std::size_t i = 0; i < count; ++i)
            out[i] = next++;
        return count;
    };
    quom::MidiInput input(jack);
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

// Under Quom's JACK client the JACK ports follow the others in the list, and choosing one
// connects it to the client's MIDI In in place of the one chosen before.
TEST(MidiInput, ListsAndChoosesTheJackClientsSources)
{
    std::vector<std::string> chosen;
    quom::JackMidiIn jack;
    jack.take = [](std::span<std::uint32_t>) -> std::size_t { return 0; };
    jack.sources = [] { return std::vector<std::string>{"keys:out", "pads:out"}; };
    jack.choose = [&chosen](const std::string& port) {
        chosen.push_back(port);
        return !port.empty();
    };
    quom::MidiInput input(jack);
    const auto names = input.portNames();
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[names.size() - 2], "keys:out");
    EXPECT_EQ(names.back(), "pads:out");

    EXPECT_TRUE(input.open(static_cast<int>(names.size()) - 1));
    EXPECT_EQ(chosen.back(), "pads:out");
    EXPECT_FALSE(input.open(static_cast<int>(names.size())));
    EXPECT_EQ(chosen.back(), ""); // the last choice let go
}
