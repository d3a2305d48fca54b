#include "core/files/MidiExport.h"

#include "MidiBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

namespace quom {
namespace {

using test::add;
using test::Bytes;

// The 64 row tracks of a kit without samples, rows given events replaced.
Bytes expectedFile(int us2, int us1, int us0, const std::map<int, Bytes>& rowEvents)
{
    Bytes b = test::headerAndTempoTrack(65, 96, us2, us1, us0);
    for (int row = 0; row < 64; ++row) {
        const auto it = rowEvents.find(row);
        test::addTrack(b, "not used", it == rowEvents.end() ? Bytes{} : it->second);
    }
    return b;
}

TEST(MidiExport, EmptyPatternGives65ChunksOfNamesOnly)
{
    const auto bytes = patternToMidi(Grid{}, CKit{}).encode(120, kMidiTicksPerQuarter);
    EXPECT_EQ(bytes, expectedFile(0x07, 0xA1, 0x20, {}));
    EXPECT_EQ(bytes.size(), 41u + 64 * 24);
    EXPECT_EQ(bytes[12], 0x00); // division 0x0060
    EXPECT_EQ(bytes[13], 0x60);
}

TEST(MidiExport, NeighbouringNotesEndBeforeTheNextColumnStarts)
{
    Grid cells{};
    cells[cellIndex(0, 0)] = makeCell(200, 100, 60);
    cells[cellIndex(1, 0)] = makeCell(201, 101, 61);
    Bytes row0;
    add(row0, {0x00, 0xB0, 10, 50, 0x00, 0x90, 30, 100, 0x18, 0x80, 30, 0});
    add(row0, {0x00, 0xB0, 10, 50, 0x00, 0x90, 30, 100, 0x18, 0x80, 30, 0});
    EXPECT_EQ(patternToMidi(cells, CKit{}).encode(120, 96), expectedFile(0x07, 0xA1, 0x20, {{0, row0}}));
}

TEST(MidiExport, QuietCellsGiveOnlyPanAndLaterColumnsKeepTheirTimes)
{
    Grid cells{};
    cells[cellIndex(10, 9)] = makeCell(1, 255, 255); // velocity 1 / 2 = 0: no note
    cells[cellIndex(12, 9)] = makeCell(255, 255, 255);
    cells[cellIndex(0, 25)] = makeCell(255, 0, 0);
    cells[cellIndex(63, 57)] = makeCell(0, 0, 1); // a note of volume 0 still pans
    Bytes row9;
    add(row9, {0x81, 0x70, 0xB9, 10, 127}); // t = 240
    add(row9, {0x30, 0xB9, 10, 127, 0x00, 0x99, 127, 127, 0x18, 0x89, 127, 0}); // t = 288
    Bytes row25;
    add(row25, {0x00, 0xB9, 10, 0, 0x00, 0x99, 0, 127, 0x18, 0x89, 0, 0});
    Bytes row57;
    add(row57, {0x8B, 0x68, 0xB9, 10, 0}); // t = 63 x 24 = 1512
    EXPECT_EQ(patternToMidi(cells, CKit{}).encode(90, 96),
        expectedFile(0x0A, 0x2C, 0x2A, {{9, row9}, {25, row25}, {57, row57}}));
}

TEST(MidiExport, SongPlaysItsPassesInTurnWithATempoChangeWhereTheTempoChanges)
{
    std::array<Grid, kPatternSlots> patterns{};
    patterns[3][cellIndex(63, 0)] = makeCell(200, 100, 60);
    patterns[5][cellIndex(0, 0)] = makeCell(200, 100, 60);
    std::array<std::int32_t, kPatternSlots> tempos{};
    tempos.fill(120);
    tempos[5] = 90;
    const auto file = passesToMidi(patterns, songPasses({{3, 2}, {5, 1}, {4, 1}}, tempos, 1), CKit{});

    // The note of the first pass's last column ends as the second pass's starts.
    Bytes row0;
    add(row0, {0x8B, 0x68, 0xB0, 10, 50, 0x00, 0x90, 30, 100, 0x18, 0x80, 30, 0}); // t = 1512
    add(row0, {0x8B, 0x68, 0xB0, 10, 50, 0x00, 0x90, 30, 100, 0x18, 0x80, 30, 0}); // t = 3048
    add(row0, {0x00, 0xB0, 10, 50, 0x00, 0x90, 30, 100, 0x18, 0x80, 30, 0}); // t = 3072
    Bytes expected = expectedFile(0x07, 0xA1, 0x20, {{0, row0}});
    // The tempo track gains 90 BPM at the third pass (3072 ticks) and 120 at the fourth.
    const Bytes changes{
        0x98, 0x00, 0xFF, 0x51, 0x03, 0x0A, 0x2C, 0x2A, 0x8C, 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};
    expected[21] = 19 + static_cast<std::uint8_t>(changes.size());
    expected.insert(expected.begin() + 41 - 4, changes.begin(), changes.end());
    EXPECT_EQ(file.encode(120, 96), expected);
}

TEST(MidiExport, TracksAreNamedAfterTheSampleFileName)
{
    EXPECT_EQ(midiTrackName("C:\\Quom\\Waves\\Kick.Drum.wav"), "Kick.Drum");
    EXPECT_EQ(midiTrackName("/home/me/waves.d/snare.wav"), "snare");
    EXPECT_EQ(midiTrackName("/home/me/waves.d/noext"), "noext");
    EXPECT_EQ(midiTrackName("hat.WAV"), "hat");
    EXPECT_EQ(midiTrackName("not used"), "not used");

    CKit kit;
    kit.slot(3).name = "/w/clap.wav";
    const MIDIfile file = patternToMidi(Grid{}, kit);
    ASSERT_EQ(file.tracks.size(), 64u);
    EXPECT_EQ(file.tracks[3].name, "clap");
    EXPECT_EQ(file.tracks[4].name, "not used");
}

TEST(MidiExport, ExportWritesTheFileAtTheSliderTempo)
{
    TempDir dir;
    Grid cells{};
    cells[cellIndex(5, 12)] = makeCell(90, 80, 70);
    ASSERT_TRUE(exportMidi(dir.file("p.mid"), cells, 120, CKit{}));
    EXPECT_EQ(dir.read("p.mid"), patternToMidi(cells, CKit{}).encode(120, 96));

    // A tempo read from a file may lie outside the slider's range.
    ASSERT_TRUE(exportMidi(dir.file("slow.mid"), cells, 0, CKit{}));
    EXPECT_EQ(dir.read("slow.mid"), patternToMidi(cells, CKit{}).encode(1, 96));
    ASSERT_TRUE(exportMidi(dir.file("fast.mid"), cells, 9999, CKit{}));
    EXPECT_EQ(dir.read("fast.mid"), patternToMidi(cells, CKit{}).encode(350, 96));
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"fast.mid", "p.mid", "slow.mid"}));
}

} // namespace
} // namespace quom
