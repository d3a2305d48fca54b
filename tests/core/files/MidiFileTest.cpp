#include "core/files/MidiFile.h"

#include "MidiBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quom {
namespace {

using test::add;
using test::Bytes;

Bytes varLen(std::uint32_t value, int expectedCount)
{
    ByteWriter out;
    EXPECT_EQ(writeVarLen(out, value), expectedCount) << value;
    return out.bytes();
}

TEST(MidiFile, VariableLengthQuantities)
{
    EXPECT_EQ(varLen(0, 1), (Bytes{0x00}));
    EXPECT_EQ(varLen(24, 1), (Bytes{0x18}));
    EXPECT_EQ(varLen(127, 1), (Bytes{0x7F}));
    EXPECT_EQ(varLen(128, 2), (Bytes{0x81, 0x00}));
    EXPECT_EQ(varLen(1512, 2), (Bytes{0x8B, 0x68}));
    EXPECT_EQ(varLen(0x3FFF, 2), (Bytes{0xFF, 0x7F}));
    EXPECT_EQ(varLen(0x4000, 3), (Bytes{0x81, 0x80, 0x00}));
    EXPECT_EQ(varLen(0x200000, 4), (Bytes{0x81, 0x80, 0x80, 0x00}));
    EXPECT_EQ(varLen(0x0FFFFFFF, 4), (Bytes{0xFF, 0xFF, 0xFF, 0x7F}));
}

TEST(MidiFile, NoTracksGivesTheHeaderAndTheTempoTrackOnly)
{
    EXPECT_EQ(MIDIfile{}.encode(120, 96), test::headerAndTempoTrack(1, 96, 0x07, 0xA1, 0x20));
    EXPECT_EQ(MIDIfile{}.encode(90, 480), test::headerAndTempoTrack(1, 480, 0x0A, 0x2C, 0x2A));
}

TEST(MidiFile, TempoOutsideThreeBytesIsHeldAtTheSlowestStatableTempo)
{
    EXPECT_EQ(MIDIfile{}.encode(4, 96), test::headerAndTempoTrack(1, 96, 0xE4, 0xE1, 0xC0)); // 15000000
    EXPECT_EQ(MIDIfile{}.encode(1, 96), test::headerAndTempoTrack(1, 96, 0xFF, 0xFF, 0xFF));
    EXPECT_EQ(MIDIfile{}.encode(0, 96), test::headerAndTempoTrack(1, 96, 0xFF, 0xFF, 0xFF));
}

TEST(MidiFile, EventsAreWrittenWithDeltasAndTheirOwnStatusBytes)
{
    MIDIfile file;
    MIDItrack first;
    first.name = "Lead";
    first.events.push_back({0, 0x90, 60, 100, {}});
    first.events.push_back({0, 0x90, 64, 90, {}}); // same status again: no running status
    first.events.push_back({200, 0xC3, 5, 77, {}}); // program change: one data byte
    first.events.push_back({200, 0xD3, 40, 77, {}}); // channel pressure: one data byte
    first.events.push_back({300, 0xFF, 0, 0, {0xFF, 0x01, 0x02, 'h', 'i'}}); // meta text, as given
    first.events.push_back({300, 0xE0, 0x00, 0x40, {}});
    file.tracks.push_back(first);
    file.tracks.push_back({"", {}});

    Bytes expected = test::headerAndTempoTrack(3, 96, 0x07, 0xA1, 0x20);
    Bytes events;
    add(events, {0x00, 0x90, 60, 100, 0x00, 0x90, 64, 90});
    add(events, {0x81, 0x48, 0xC3, 5, 0x00, 0xD3, 40});
    add(events, {0x64, 0xFF, 0x01, 0x02, 'h', 'i', 0x00, 0xE0, 0x00, 0x40});
    test::addTrack(expected, "Lead", events);
    test::addTrack(expected, "", {});
    EXPECT_EQ(file.encode(120, 96), expected);
}

TEST(MidiFile, LongNameLengthIsAVariableLengthQuantity)
{
    MIDIfile file;
    file.tracks.push_back({std::string(200, 'n'), {}});
    const auto bytes = file.encode(120, 96);
    ASSERT_EQ(bytes.size(), 41u + 8 + 3 + 2 + 200 + 4);
    EXPECT_EQ((Bytes{bytes[41 + 4], bytes[41 + 5], bytes[41 + 6], bytes[41 + 7]}), (Bytes{0, 0, 0, 209}));
    EXPECT_EQ((Bytes{bytes[49], bytes[50], bytes[51], bytes[52], bytes[53]}),
        (Bytes{0x00, 0xFF, 0x03, 0x81, 0x48}));
}

TEST(MidiFile, SaveWritesTheBytesOrNamesThePathItCouldNotWrite)
{
    TempDir dir;
    MIDIfile file;
    file.tracks.push_back({"x", {{0, 0x90, 1, 2, {}}}});
    ASSERT_TRUE(file.save(dir.file("a.mid"), 100, 96));
    EXPECT_EQ(dir.read("a.mid"), file.encode(100, 96));

    const auto failed = file.save(dir.file("missing/a.mid"), 100, 96);
    EXPECT_FALSE(failed);
    EXPECT_NE(failed.error.find("missing/a.mid"), std::string::npos);
}

} // namespace
} // namespace quom
