#include "platform/midi/MidiInput.h"

#include <gtest/gtest.h>

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
