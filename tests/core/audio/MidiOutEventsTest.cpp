#include "core/audio/Engine.h"
#include "core/files/MidiExport.h"
#include "support/Instruments.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <tuple>
#include <vector>

namespace quom {
namespace {

struct TimedMessage {
    std::uint64_t frame;
    MidiMessage message;

    auto key() const { return std::tuple(frame, message.status, message.data1, message.data2); }
    bool operator==(const TimedMessage& other) const { return key() == other.key(); }
    bool operator<(const TimedMessage& other) const { return key() < other.key(); }
};

// A live engine playing a pattern, its blocks' messages collected with absolute frames.
struct PlayingEngine {
    LiveGrid grid;
    TempoValue tempo{133};
    Engine engine;
    std::vector<TimedMessage> sent;
    std::uint64_t played = 0;
    std::vector<float> out;

    explicit PlayingEngine(const Grid& cells)
    {
        grid.assign(cells);
        engine.setPattern(&grid);
        engine.setTempoSource(&tempo);
        engine.setPlaying(true);
    }

    void render(std::uint32_t frames)
    {
        out.assign(2 * static_cast<std::size_t>(frames), 0.0f);
        engine.Render(frames, out.data());
        for (const MidiOutEvent& e : engine.midiOut().events()) {
            EXPECT_LT(e.frame, frames);
            sent.push_back({played + e.frame, e.message});
        }
        played += frames;
    }

    // Blocks of uneven sizes up to frames in all, so that steps start anywhere in a block.
    void renderUpTo(std::uint64_t frames)
    {
        constexpr std::uint32_t kSizes[] = {441, 64, 1000, 4999, 256};
        for (int i = 0; played < frames; ++i)
            render(static_cast<std::uint32_t>(std::min<std::uint64_t>(kSizes[i % 5], frames - played)));
    }
};

// The MIDI file's messages, each at the frame where the engine starts its column.
std::vector<TimedMessage> exported(const Grid& cells, MidiMapping mapping, int samplesPerStep)
{
    std::vector<TimedMessage> messages;
    for (const MIDItrack& track : patternToMidi(cells, CKit{}, mapping).tracks) {
        for (const MIDIevent& e : track.events) {
            const auto frame = static_cast<std::uint64_t>(e.time / kMidiTicksPerColumn) * samplesPerStep;
            messages.push_back({frame, {e.status, e.data1, e.data2}});
        }
    }
    std::sort(messages.begin(), messages.end());
    return messages;
}

Grid mixedPattern()
{
    std::mt19937 gen(25);
    std::uniform_int_distribution<int> byte(0, 255);
    Grid cells{};
    for (int i = 0; i < kCells; ++i) {
        if (byte(gen) < 40) // sparse, with quiet cells (red 0 or 1) that only pan
            cells[i] = makeCell(byte(gen) % 3 == 0 ? byte(gen) % 2 : byte(gen), byte(gen), byte(gen)) | 1;
    }
    cells[cellIndex(63, 5)] = makeCell(255, 0, 0); // a note that the stop has to end
    cells[cellIndex(0, 0)] = makeCell(255, 255, 255);
    cells[cellIndex(0, 16)] = makeCell(255, 255, 255); // same channel and note as row 0
    return cells;
}

// One pass, then a stop: every message of the MIDI export, event for event, each at the
// frame its step starts, and the last step's notes ended by the stop at the pass's end.
TEST(MidiOutEvents, OnePassSendsTheMidiExportsMessagesAtEachStepsStartFrame)
{
    const Grid cells = mixedPattern();
    for (const MidiMapping mapping : {MidiMapping::Export, MidiMapping::Rows}) {
        PlayingEngine p(cells);
        p.engine.midiOut().setMapping(mapping);
        p.render(1);
        const int sps = p.engine.SamplesPerStep();
        ASSERT_GT(sps, 0);
        p.renderUpTo(static_cast<std::uint64_t>(kColumns) * sps);
        p.engine.setPlaying(false);
        p.render(300);
        p.render(300); // nothing is owed any more

        std::vector<TimedMessage> sent = p.sent;
        std::sort(sent.begin(), sent.end());
        EXPECT_EQ(sent, exported(cells, mapping, sps)) << static_cast<int>(mapping);
        EXPECT_EQ(p.engine.midiOut().dropped(), 0u);
    }
}

TEST(MidiOutEvents, RowsMappingTakesNoteAndChannelFromTheStarterTable)
{
    const RowNotes& rows = starterRowNotes();
    EXPECT_EQ(rows[0].note, 36); // kick, General MIDI percussion on channel 10
    EXPECT_EQ(rows[0].channel, 9);
    EXPECT_EQ(rows[1].note, 38); // snare
    EXPECT_EQ(rows[15].channel, 9);
    EXPECT_EQ(rows[16].note, 83); // the piano, bottom row lowest
    EXPECT_EQ(rows[63].note, 36);
    EXPECT_EQ(rows[63].channel, 0);
    for (int row = 17; row < kRows; ++row)
        EXPECT_EQ(rows[row].note + 1, rows[row - 1].note) << row;

    const Cell cell = makeCell(200, 100, 7); // blue no longer picks the pitch
    const CellMessages byRow = cellMessages(cell, 63, MidiMapping::Rows, rows);
    EXPECT_EQ(byRow.noteOn, (MidiMessage{0x90, 36, 100}));
    EXPECT_EQ(byRow.noteOff, (MidiMessage{0x80, 36, 0}));
    EXPECT_EQ(byRow.pan, (MidiMessage{0xB0, kPanController, 50}));
    const CellMessages asExport = cellMessages(cell, 63, MidiMapping::Export, rows);
    EXPECT_EQ(asExport.noteOn, (MidiMessage{0x9F, 3, 100}));
}

// A block with more steps of a dense pattern than the buffer holds: the excess is counted,
// and every note that did start gets its note-off, none that did not.
TEST(MidiOutEvents, OverflowIsCountedAndLeavesNoNoteHanging)
{
    Grid cells{};
    cells.fill(makeCell(255, 128, 128));
    PlayingEngine p(cells);
    p.tempo.set(350); // the fastest tempo: the shortest steps
    p.render(16384);
    EXPECT_EQ(p.engine.midiOut().events().size(), MidiOutEvents::kCapacity);
    EXPECT_GT(p.engine.midiOut().dropped(), 0u);
    p.render(64);
    p.engine.setPlaying(false);
    p.render(64);

    std::vector<int> open(16 * 128, 0);
    for (const TimedMessage& m : p.sent) {
        const int key = (m.message.status & 0x0F) * 128 + m.message.data1;
        if ((m.message.status & 0xF0) == 0x90) {
            ++open[key];
        } else if ((m.message.status & 0xF0) == 0x80) {
            EXPECT_GE(--open[key], 0);
        }
    }
    EXPECT_EQ(std::count(open.begin(), open.end(), 0), 16 * 128);
}

// A Reset in the middle of a step ends its notes at the next block's start, and own sound
// off silences the pattern but not its messages.
TEST(MidiOutEvents, ResetEndsTheSoundingNotesAndOwnSoundOffSendsWithoutSound)
{
    Grid cells{};
    cells[cellIndex(0, 3)] = makeCell(255, 0, 20);
    auto kit = std::make_shared<CKit>();
    kit->slot(3) = instrumentOf(std::vector<float>(1000, 0.5f));
    PlayingEngine p(cells);
    p.engine.setKit(kit);
    p.engine.setOwnSound(false);
    p.render(100);
    EXPECT_TRUE(std::all_of(p.out.begin(), p.out.end(), [](float s) { return s == 0.0f; }));
    ASSERT_EQ(p.sent.size(), 2u);
    p.engine.Reset(5);
    p.engine.setOwnSound(true);
    p.render(100);
    ASSERT_EQ(p.sent.size(), 3u);
    EXPECT_EQ(p.sent[2].frame, 100u);
    EXPECT_EQ(p.sent[2].message, (MidiMessage{0x83, 10, 0}));
    p.engine.Reset(0);
    p.render(100);
    EXPECT_TRUE(std::any_of(p.out.begin(), p.out.end(), [](float s) { return s != 0.0f; }));
}

} // namespace
} // namespace quom
