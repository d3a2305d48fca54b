#include "core/kit/KitEdits.h"
#include "core/io/WaveCheck.h"
#include "core/kit/SampleFinder.h"
#include "core/random/Random.h"
#include "support/SoundFiles.h"
#include "support/TempDir.h"
#include "support/WaveBytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace quom;
namespace fs = std::filesystem;

void writeWave(const TempDir& dir, const std::string& name, std::size_t frames = 4)
{
    dir.write(name, wavebytes::mono16(std::vector<std::int16_t>(frames, 1000)));
}

TEST(KitEdits, AFailedClickKeepsTheSlotAndAFailedFillLeavesItUnused)
{
    TempDir dir;
    writeWave(dir, "a.wav", 10);
    CKit kit;
    kit.slot(3).loop = true;
    ASSERT_TRUE(loadIntoSlot(kit.slot(3), dir.file("a.wav"), FileRate::AsIf44100));
    EXPECT_EQ(kit.slot(3).name, dir.file("a.wav"));
    EXPECT_FALSE(kit.slot(3).loop) << "a new file starts with loop and fade off";

    dir.write("bad.wav", std::string("not a wave"));
    EXPECT_FALSE(loadIntoSlot(kit.slot(3), dir.file("bad.wav"), FileRate::AsIf44100));
    EXPECT_EQ(kit.slot(3).name, dir.file("a.wav"));
    EXPECT_EQ(kit.slot(3).length(), 10u);

    EXPECT_FALSE(fillSlot(kit, 3, dir.file("bad.wav"), FileRate::AsIf44100));
    EXPECT_TRUE(kit.slot(3).isEmpty()) << "never a name without the sample it names";
    EXPECT_TRUE(kit.slot(3).data.empty());
}

TEST(KitEdits, AddFillsTheEmptySlotsInOrderAndReportsAFullKit)
{
    TempDir dir;
    writeWave(dir, "a.wav");
    CKit kit;
    for (int i = 0; i < kKitSlots; ++i) {
        if (i != 5 && i != 40)
            kit.slot(i).data = std::vector<float>{0.1f};
    }
    // The failed file leaves slot 5 empty, so the next one takes it.
    EXPECT_TRUE(addSamples(kit, {dir.file("missing.wav"), dir.file("a.wav")}, FileRate::AsIf44100).allFitted);
    EXPECT_EQ(kit.slot(5).name, dir.file("a.wav"));
    EXPECT_FALSE(addSamples(kit, {dir.file("a.wav"), dir.file("a.wav")}, FileRate::AsIf44100).allFitted);
    EXPECT_EQ(kit.slot(40).name, dir.file("a.wav"));
}

TEST(KitEdits, ShiftFlagsFollowTheOppositeOfOneSlotAndLabelsReadAsShown)
{
    CKit kit;
    kit.slot(0).fade = true;
    kit.slot(9).fade = false;
    setFlagEverywhere(kit, SlotFlag::Fade, 0);
    for (int i = 0; i < kKitSlots; ++i)
        ASSERT_FALSE(kit.slot(i).fade);

    kit.slot(4).name = "/w/kicks/Deep Kick.01.wav";
    EXPECT_EQ(slotLabel(4, kit.slot(4)), "05 - Deep Kick.01");
    EXPECT_EQ(slotLabel(0, kit.slot(0)), "01 - not used");
    EXPECT_EQ(keyName(60), "C5");
    EXPECT_EQ(keyName(70), "Bb5");
    EXPECT_EQ(keyName(0), "C0");

    // A file's rate shows where it is not the rate every sample plays at.
    CInstrument& slot = kit.slot(4);
    slot.data = std::vector<float>{0.1f};
    for (const auto& [rate, shown] : std::vector<std::pair<std::uint32_t, std::string>>{{44100, ""},
             {48000, "48 kHz"}, {22050, "22.05 kHz"}, {11025, "11.025 kHz"}, {96000, "96 kHz"},
             {8001, "8.001 kHz"}, {500, "500 Hz"}}) {
        slot.fileRate = rate;
        EXPECT_EQ(fileRateLabel(slot), shown) << rate;
    }
    kit.ClearSlot(4);
    EXPECT_EQ(fileRateLabel(kit.slot(4)), "") << "an empty slot has no file";
}

TEST(SampleFinder, FolderListsWavesOfAnyCaseInNameOrderAndChecksTheirFormat)
{
    TempDir dir;
    writeWave(dir, "b.WAV");
    writeWave(dir, "A.wav");
    writeWave(dir, "c.Wav");
    dir.write("notes.txt", std::string("x"));
    fs::create_directory(dir.file("d.wav"));
    const auto tones = soundfiles::tones(100, 44100);
    ASSERT_TRUE(soundfiles::write(dir.file("e.FLAC"), soundfiles::Type::Flac, 44100, tones));
    ASSERT_TRUE(soundfiles::write(dir.file("flac.wav"), soundfiles::Type::Flac, 44100, tones));
    dir.write("text.mp3", std::string("not a sound"));
    const auto listed = listFolderSamples(dir.path());
    EXPECT_EQ(listed,
        (std::vector<std::string>{dir.file("A.wav"), dir.file("b.WAV"), dir.file("c.Wav"), dir.file("e.FLAC"),
            dir.file("flac.wav"), dir.file("text.mp3")}));
    EXPECT_TRUE(passesWaveCheck(dir.file("e.FLAC")));
    EXPECT_FALSE(passesWaveCheck(dir.file("flac.wav"))) << "a .wav is read as a wave or not at all";
    EXPECT_FALSE(passesWaveCheck(dir.file("text.mp3")));
    wavebytes::Bytes doubles(16, 0);
    dir.write(
        "double.wav", wavebytes::riffWave({wavebytes::fmtChunk(1, 64, 3), wavebytes::dataChunk(doubles)}));
    EXPECT_TRUE(passesWaveCheck(dir.file("double.wav")));
    dir.write("long.wav", wavebytes::riffWave({wavebytes::fmtChunk(1, 64), wavebytes::dataChunk(doubles)}));
    EXPECT_FALSE(passesWaveCheck(dir.file("long.wav"))) << "64-bit integers";

    auto fmt = wavebytes::fmtChunk(1, 12);
    dir.write("twelve.wav", wavebytes::riffWave({fmt, wavebytes::dataChunk({0, 0})}));
    dir.write("three.wav", wavebytes::riffWave({wavebytes::fmtChunk(3, 16), wavebytes::dataChunk({0, 0})}));
    dir.write("rifx.wav", std::string("RIFX\4\0\0\0WAVE"));
    EXPECT_TRUE(passesWaveCheck(dir.file("A.wav")));
    EXPECT_FALSE(passesWaveCheck(dir.file("twelve.wav")));
    EXPECT_FALSE(passesWaveCheck(dir.file("three.wav")));
    EXPECT_FALSE(passesWaveCheck(dir.file("rifx.wav")));
    ASSERT_EQ(::mkfifo(dir.file("fifo.wav").c_str(), 0600), 0);
    EXPECT_FALSE(passesWaveCheck(dir.file("fifo.wav"))) << "a FIFO would block the editor for ever";
    EXPECT_EQ(keepPassingWaveCheck({dir.file("twelve.wav"), dir.file("A.wav"), dir.file("b.WAV")}, 1),
        std::vector<std::string>{dir.file("A.wav")});
}

TEST(SampleFinder, TheTreeWalkEndsDespiteALinkLoopAndTakesOnlyTheTwoSpellings)
{
    TempDir dir;
    fs::create_directories(dir.file("root/a/deep"));
    fs::create_directories(dir.file("root/b"));
    writeWave(dir, "root/z.wav");
    writeWave(dir, "root/a/deep/x.WAV");
    writeWave(dir, "root/a/y.Wav");
    writeWave(dir, "root/b/w.wav");
    writeWave(dir, "root/b/v.Flac");
    ASSERT_TRUE(soundfiles::write(
        dir.file("root/b/u.OGG"), soundfiles::Type::OggVorbis, 44100, soundfiles::tones(1000, 44100)));
    fs::create_directory_symlink(dir.file("root"), dir.file("root/b/loop"));
    std::vector<std::string> looked;
    const auto found = scanSampleTree(dir.file("root"), [&](const std::string& p) { looked.push_back(p); });
    EXPECT_EQ(found,
        (std::vector<std::string>{dir.file("root/a/deep/x.WAV"), dir.file("root/b/u.OGG"),
            dir.file("root/b/w.wav"), dir.file("root/z.wav")}));
    EXPECT_EQ(looked.size(), 6u);

    if (::geteuid() != 0) {
        fs::permissions(dir.file("root/a"), fs::perms::none);
        EXPECT_EQ(scanSampleTree(dir.file("root")).size(), 3u) << "an unreadable folder is skipped";
        fs::permissions(dir.file("root/a"), fs::perms::owner_all);
    }
}

TEST(SampleFinder, SixtyFourOrFewerKeepTheirOrderAndMoreAreDrawnFromTheGenerator)
{
    std::vector<std::string> files;
    for (int i = 0; i < 64; ++i)
        files.push_back(std::to_string(i));
    EXPECT_EQ(pickForKit(files), files);

    files.push_back("64");
    quom::seedRandom(7);
    std::vector<std::string> left = files;
    std::vector<std::string> expected;
    for (int i = 0; i < kKitSlots; ++i) {
        const int index = randomInt(static_cast<int>(left.size()) - 1);
        expected.push_back(left[static_cast<std::size_t>(index)]);
        left.erase(left.begin() + index);
    }
    quom::seedRandom(7);
    EXPECT_EQ(pickForKit(files), expected);
}

} // namespace
