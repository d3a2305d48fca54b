#include "core/files/MidiExport.h"
#include "core/files/PatternFile.h"
#include "core/files/ProjectFile.h"
#include "support/RunQuom.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quom {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Bytes 34..36 hold the microseconds per quarter note of the tempo track.
Bytes tempoBytes(const Bytes& midi)
{
    return {midi.at(34), midi.at(35), midi.at(36)};
}

struct ProjectOnDisk {
    TempDir dir;
    ProjectFileData project;

    ProjectOnDisk()
    {
        for (int s = 0; s < kPatternSlots; ++s) {
            project.tempos[s] = 100 + s;
            project.patterns[s][cellIndex(s, 0)] = makeCell(255, 128, 64);
        }
        project.tempos[2] = 90;
        project.slots[0].name = "C:\\Waves\\Kick.wav";
        project.slots[1].name = dir.file("missing.wav");
        EXPECT_TRUE(writeProjectFile(dir.file("song.qom"), project));
    }

    CKit namedKit() const
    {
        CKit kit;
        for (int i = 0; i < kProjectKitSlots; ++i)
            kit.slot(i).name = project.slots[i].name;
        return kit;
    }
};

TEST(MidiCommand, ExportsTheChosenPatternOfAProjectAtItsTempoWithItsSlotNames)
{
    ProjectOnDisk p;
    const auto run = runQuom({"midi", p.dir.file("song.qom"), "--pattern", "3", "-o", p.dir.file("out.mid")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err; // samples do not matter for MIDI: no warnings
    const Bytes midi = p.dir.read("out.mid");
    EXPECT_EQ(tempoBytes(midi), (Bytes{0x0A, 0x2C, 0x2A}));
    EXPECT_EQ(midi, patternToMidi(p.project.patterns[2], p.namedKit()).encode(90, 96));
    EXPECT_EQ(std::string(midi.begin() + 53, midi.begin() + 57), "Kick");

    const auto first = runQuom({"midi", "-o", p.dir.file("first.mid"), p.dir.file("song.qom")});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(p.dir.read("first.mid"), patternToMidi(p.project.patterns[0], p.namedKit()).encode(100, 96));
}

TEST(MidiCommand, MappingRowsGivesEachRowItsNoteAndExportIsTheDefault)
{
    ProjectOnDisk p;
    const std::string in = p.dir.file("song.qom");
    ASSERT_EQ(runQuom({"midi", in, "-o", p.dir.file("rows.mid"), "--mapping", "rows"}).exitCode, 0);
    ASSERT_EQ(runQuom({"midi", in, "-o", p.dir.file("export.mid"), "--mapping", "export"}).exitCode, 0);
    ASSERT_EQ(runQuom({"midi", in, "-o", p.dir.file("plain.mid")}).exitCode, 0);
    EXPECT_EQ(p.dir.read("rows.mid"),
        patternToMidi(p.project.patterns[0], p.namedKit(), MidiMapping::Rows).encode(100, 96));
    EXPECT_EQ(p.dir.read("export.mid"), p.dir.read("plain.mid"));
    EXPECT_NE(p.dir.read("rows.mid"), p.dir.read("plain.mid"));
}

TEST(MidiCommand, PatternFileTakesItsTempoAndTheGivenKit)
{
    TempDir dir;
    PatternFileData pattern;
    pattern.tempo = 120;
    pattern.cells[cellIndex(2, 0)] = makeCell(10, 20, 30);
    ASSERT_TRUE(writePatternFile(dir.file("beat.pat"), pattern));
    dir.write("drums.kit",
        std::string("<?xml version=\"1.0\"?>\r\n<QuomKit>\r\n\t<instrument>\r\n"
                    "\t\t<sample name = \"/nowhere/Snare.Top.wav\"/>\r\n"
                    "\t\t<loop value = \"yes\"/>\r\n\t</instrument>\r\n</QuomKit>\r\n"));

    const auto plain = runQuom({"midi", dir.file("beat.pat"), "-o", dir.file("plain.mid")});
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(dir.read("plain.mid"), patternToMidi(pattern.cells, CKit{}).encode(120, 96));

    const auto withKit
        = runQuom({"midi", dir.file("beat.pat"), "--kit", dir.file("drums.kit"), "-o", dir.file("kit.mid")});
    ASSERT_EQ(withKit.exitCode, 0) << withKit.err;
    CKit kit;
    kit.slot(0).name = "/nowhere/Snare.Top.wav";
    EXPECT_EQ(dir.read("kit.mid"), patternToMidi(pattern.cells, kit).encode(120, 96));
}

TEST(MidiCommand, KitFileReplacesTheProjectsKit)
{
    ProjectOnDisk p;
    p.dir.write("empty.kit", std::string("<?xml version=\"1.0\"?>\r\n<QuomKit>\r\n</QuomKit>\r\n"));
    const auto run = runQuom(
        {"midi", p.dir.file("song.qom"), "--kit", p.dir.file("empty.kit"), "-o", p.dir.file("out.mid")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(p.dir.read("out.mid"), patternToMidi(p.project.patterns[0], CKit{}).encode(100, 96));
}

TEST(MidiCommand, TempoOutsideTheSliderRangeIsTakenIntoIt)
{
    TempDir dir;
    PatternFileData pattern;
    pattern.tempo = 0;
    ASSERT_TRUE(writePatternFile(dir.file("zero.pat"), pattern));
    const auto run = runQuom({"midi", dir.file("zero.pat"), "-o", dir.file("z.mid")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(tempoBytes(dir.read("z.mid")), (Bytes{0xFF, 0xFF, 0xFF})); // tempo 1, as slow as MIDI can say
}

// Each failure exits 1 with one line on stderr naming the file, and writes nothing.
void expectRefused(const TempDir& dir, const std::vector<std::string>& args, const std::string& named)
{
    const auto run = runQuom(args);
    EXPECT_EQ(run.exitCode, 1) << named;
    EXPECT_NE(run.err.find(named), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_FALSE(dir.exists("out.mid")) << named;
}

TEST(MidiCommand, RefusesBadInputsWithoutWritingAnything)
{
    ProjectOnDisk p;
    const auto& dir = p.dir;
    auto damaged = encodeProjectFile(p.project);
    damaged.resize(damaged.size() - 3);
    dir.write("damaged.qom", damaged);
    dir.write("noise.bin", std::string("QUOX and more"));
    dir.write("bad.kit", std::string("not a kit"));
    const std::string out = dir.file("out.mid");

    expectRefused(dir, {"midi", dir.file("absent.qom"), "-o", out}, "absent.qom");
    expectRefused(dir, {"midi", dir.file("noise.bin"), "-o", out}, "noise.bin");
    expectRefused(dir, {"midi", dir.file("damaged.qom"), "-o", out}, "damaged.qom");
    expectRefused(dir, {"midi", dir.file("song.qom"), "--pattern", "0", "-o", out}, "song.qom");
    expectRefused(dir, {"midi", dir.file("song.qom"), "--pattern", "17", "-o", out}, "song.qom");
    expectRefused(dir, {"midi", dir.file("song.qom"), "--pattern", "99999999999", "-o", out}, "song.qom");
    expectRefused(
        dir, {"midi", dir.file("song.qom"), "--kit", dir.file("absent.kit"), "-o", out}, "absent.kit");
    expectRefused(dir, {"midi", dir.file("song.qom"), "-o", dir.file("no/such/dir/x.mid")}, "x.mid");
    expectRefused(
        dir, {"midi", dir.file("song.qom"), "--song", "-o", out}, "song.qom: the project has no song");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"bad.kit", "damaged.qom", "noise.bin", "song.qom"}));
}

TEST(MidiCommand, MalformedArgumentsAreUsageErrors)
{
    ProjectOnDisk p;
    const std::string in = p.dir.file("song.qom");
    const std::string out = p.dir.file("out.mid");
    for (const auto& args :
        std::vector<std::vector<std::string>>{{"midi"}, {"midi", in}, {"midi", "-o", out}, {"midi", in, "-o"},
            {"midi", in, "-o", out, "--pattern", "two"}, {"midi", in, "-o", out, "--pattern"},
            {"midi", in, in, "-o", out}, {"midi", in, "-o", out, "--loud"},
            {"midi", in, "-o", out, "--mapping"}, {"midi", in, "-o", out, "--mapping", "drums"}}) {
        const auto run = runQuom(args);
        EXPECT_EQ(run.exitCode, 2) << args.size();
        EXPECT_FALSE(p.dir.exists("out.mid"));
    }
}

} // namespace
} // namespace quom
