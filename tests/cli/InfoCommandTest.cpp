#include "core/io/WaveReader.h"
#include "support/RunQuom.h"
#include "support/SoundFiles.h"
#include "support/TempDir.h"
#include "support/WaveBytes.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using namespace wavebytes;

// The numbers of the "samples" array, read back as floats.
std::vector<float> samplesIn(const std::string& json)
{
    std::vector<float> values;
    const auto open = json.find("\"samples\":[");
    if (open == std::string::npos)
        return values;
    const char* p = json.c_str() + open + 11;
    while (*p != ']') {
        char* end = nullptr;
        values.push_back(std::strtof(p, &end));
        p = *end == ',' ? end + 1 : end;
    }
    return values;
}

TEST(InfoCommand, DescribesAWaveFileByItsContent)
{
    TempDir dir;
    dir.write("drum.kit", riffWave({fmtChunk(1, 16), dataChunk(pcm16({-32768, 0, 16384})), smplChunk(69)}));

    const auto run = runQuom({"info", dir.file("drum.kit"), "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "{\"type\":\"wave\",\"frames\":3,\"rootKey\":69,\"sampleRate\":44100}\n");

    const auto withSamples = runQuom({"info", "--samples", dir.file("drum.kit"), "--json"});
    EXPECT_EQ(withSamples.out,
        "{\"type\":\"wave\",\"frames\":3,\"rootKey\":69,\"sampleRate\":44100,\"samples\":[-1,0,0.5]}\n");
}

TEST(InfoCommand, SamplesReadBackExactly)
{
    // 24-bit values whose floats need all nine significant digits.
    Bytes data;
    std::uint32_t state = 7;
    for (int i = 0; i < 200; ++i) {
        state = state * 1664525u + 1013904223u;
        data.push_back(static_cast<std::uint8_t>(state >> 8));
        data.push_back(static_cast<std::uint8_t>(state >> 16));
        data.push_back(static_cast<std::uint8_t>(state >> 24));
    }
    const auto file = riffWave({fmtChunk(1, 24), dataChunk(data)});
    TempDir dir;
    dir.write("fine.wav", file);

    const auto run = runQuom({"info", dir.file("fine.wav"), "--json", "--samples"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(samplesIn(run.out), quom::decodeWave(file, "fine.wav")->samples);
}

TEST(InfoCommand, DescribesAKitWithoutReadingItsSamples)
{
    TempDir dir;
    dir.write("drums.wav",
        std::string("<?xml version=\"1.0\"?>\r\n<Whatever>\r\n"
                    "<instrument>\r\n<sample name = \"C:\\waves\\kick.wav\"/>\r\n"
                    "<loop value = \"yes\"/>\r\n</instrument>\r\n"
                    "<instrument>\r\n<fade value = \"yes\"/>\r\n</instrument>\r\n"));
    std::string expected = "{\"type\":\"kit\",\"slots\":["
                           "{\"sample\":\"C:\\\\waves\\\\kick.wav\",\"loop\":true,\"fade\":false},"
                           "{\"sample\":\"not used\",\"loop\":false,\"fade\":true}";
    for (int s = 2; s < 64; ++s)
        expected += ",{\"sample\":\"not used\",\"loop\":false,\"fade\":false}";
    expected += "]}\n";

    const auto run = runQuom({"info", dir.file("drums.wav"), "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, expected);
}

TEST(InfoCommand, SamplePathsThatAreNotUtf8StayValidJson)
{
    // One path written in Latin-1, one in UTF-8.
    TempDir dir;
    dir.write("mixed.kit",
        std::string("<?xml version=\"1.0\"?>\r\n<Whatever>\r\n"
                    "<instrument>\r\n<sample name = \"C:\\caf\xE9.wav\"/>\r\n</instrument>\r\n"
                    "<instrument>\r\n<sample name = \"caf\xC3\xA9.wav\"/>\r\n</instrument>\r\n"));

    const auto run = runQuom({"info", dir.file("mixed.kit"), "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("[{\"sample\":\"C:\\\\caf\\udce9.wav\",\"loop\":false,\"fade\":false},"
                           "{\"sample\":\"caf\xC3\xA9.wav\","),
        std::string::npos)
        << run.out;
}

TEST(InfoCommand, DescribesSampleFilesOfOtherTypes)
{
    TempDir dir;
    ASSERT_TRUE(soundfiles::write(dir.file("a.flac"), soundfiles::Type::Flac, 48000, {-32768, 0, 16384}));
    const auto run = runQuom({"info", dir.file("a.flac"), "--json", "--samples"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
        "{\"type\":\"sound\",\"frames\":3,\"rootKey\":60,\"sampleRate\":48000,\"samples\":[-1,0,0.5]}\n");
}

TEST(InfoCommand, UnreadableFilesFailNamingTheFile)
{
    TempDir dir;
    dir.write("twelve.wav", riffWave({fmtChunk(1, 12), dataChunk(pcm16({1}))}));
    dir.write("notes.txt", std::string("just some text\n"));

    for (const auto& name : {"twelve.wav", "notes.txt", "missing.wav"}) {
        const auto run = runQuom({"info", dir.file(name), "--json"});
        EXPECT_EQ(run.exitCode, 1) << name;
        EXPECT_TRUE(run.out.empty()) << name;
        EXPECT_NE(run.err.find(dir.file(name)), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
    }
}

TEST(InfoCommand, UsageErrors)
{
    TempDir dir;
    dir.write("a.wav", mono16({1}));
    const std::vector<std::vector<std::string>> wrong{
        {"info", dir.file("a.wav")}, // --json is required
        {"info", "--json"},
        {"info", dir.file("a.wav"), dir.file("a.wav"), "--json"},
        {"info", dir.file("a.wav"), "--json", "--frames"},
    };
    for (const auto& args : wrong) {
        const auto run = runQuom(args);
        EXPECT_EQ(run.exitCode, 2) << args.size();
        EXPECT_TRUE(run.out.empty());
    }
}

} // namespace
