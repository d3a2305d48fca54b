#include "core/audio/Recorder.h"
#include "core/io/Pcm16.h"

#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

using quom::Recorder;
using quom::toPcm16;

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t le16(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// A recording as read back from its file: the fmt fields, the fact value, the samples.
struct Recording {
    std::uint16_t tag = 0, channels = 0, blockAlign = 0, bits = 0;
    std::uint32_t rate = 0, byteRate = 0, factFrames = 0;
    std::vector<std::int16_t> samples;
};

Recording readRecording(const TempDir& dir, const std::string& name)
{
    const auto b = dir.read(name);
    Recording r;
    EXPECT_GE(b.size(), 12u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
    EXPECT_EQ(le32(b, 4), b.size() - 8);
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 12), "WAVE");
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::string id(b.begin() + at, b.begin() + at + 4);
        const std::uint32_t size = le32(b, at + 4);
        const std::size_t body = at + 8;
        if (id == "fmt ") {
            r.tag = le16(b, body);
            r.channels = le16(b, body + 2);
            r.rate = le32(b, body + 4);
            r.byteRate = le32(b, body + 8);
            r.blockAlign = le16(b, body + 12);
            r.bits = le16(b, body + 14);
        } else if (id == "fact") {
            r.factFrames = le32(b, body);
        } else if (id == "data") {
            EXPECT_LE(body + size, b.size());
            for (std::size_t i = body; i + 1 < body + size && i + 1 < b.size(); i += 2)
                r.samples.push_back(static_cast<std::int16_t>(le16(b, i)));
        }
        at = body + size + (size & 1);
    }
    return r;
}

TEST(Recorder, NextNumberIsTheSmallestFree)
{
    TempDir dir;
    EXPECT_EQ(quom::nextRecordingPath(dir.path()), dir.file("output1.wav"));
    dir.write("output2.wav", std::string("x"));
    EXPECT_EQ(quom::nextRecordingPath(dir.path()), dir.file("output1.wav"));
    dir.write("output1.wav", std::string("x"));
    EXPECT_EQ(quom::nextRecordingPath(dir.path()), dir.file("output3.wav"));
    // A recording left unfinished by a crash keeps its number.
    dir.write("output3.wav.partial", std::string("x"));
    EXPECT_EQ(quom::nextRecordingPath(dir.path()), dir.file("output4.wav"));
}

TEST(Recorder, TheFileHoldsExactlyTheBuffersCapturedWhileRecording)
{
    TempDir dir;
    Recorder recorder;
    std::vector<float> buffer(2 * 256);
    for (std::size_t i = 0; i < buffer.size(); ++i)
        buffer[i] = (i % 7 == 0) ? 0.0f : static_cast<float>(i) / 200.0f - 1.3f; // zeros and clipping

    recorder.capture(buffer.data(), 256); // before the start: not recorded
    ASSERT_TRUE(recorder.start(dir.file("output1.wav")));
    EXPECT_TRUE(recorder.recording());
    constexpr int kBuffers = 300; // more than one append of the writer
    for (int n = 0; n < kBuffers; ++n)
        recorder.capture(buffer.data(), 256);
    EXPECT_TRUE(recorder.stop());
    EXPECT_FALSE(recorder.recording());
    recorder.capture(buffer.data(), 256); // after the stop: not recorded

    const Recording r = readRecording(dir, "output1.wav");
    EXPECT_EQ(r.tag, 1);
    EXPECT_EQ(r.channels, 2);
    EXPECT_EQ(r.rate, 44100u);
    EXPECT_EQ(r.byteRate, 176400u);
    EXPECT_EQ(r.blockAlign, 4);
    EXPECT_EQ(r.bits, 16);
    EXPECT_EQ(r.factFrames, kBuffers * 256u);
    ASSERT_EQ(r.samples.size(), kBuffers * buffer.size());
    for (std::size_t i = 0; i < r.samples.size(); ++i) {
        const float played = buffer[i % buffer.size()];
        ASSERT_EQ(r.samples[i], toPcm16(played)) << "sample " << i;
        if (played == 0.0f) {
            ASSERT_EQ(r.samples[i], 0);
        }
    }
}

TEST(Recorder, StoppingWhileTheAudioThreadRunsKeepsWholeBuffersInOrder)
{
    TempDir dir;
    Recorder recorder;
    std::atomic<bool> done{false};
    // Each buffer is filled with its own number, so gaps and torn buffers show.
    std::thread audio([&] {
        std::vector<float> buffer(2 * 64);
        for (int n = 1; !done.load(std::memory_order_relaxed); ++n) {
            std::fill(buffer.begin(), buffer.end(), static_cast<float>(n % 30000) / 32767.0f);
            recorder.capture(buffer.data(), 64);
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(recorder.start(dir.file("output1.wav")));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(recorder.stop());
    done = true;
    audio.join();

    const Recording r = readRecording(dir, "output1.wav");
    ASSERT_GT(r.samples.size(), 0u);
    ASSERT_EQ(r.samples.size() % 128, 0u);
    EXPECT_EQ(r.factFrames, r.samples.size() / 2);
    for (std::size_t b = 0; b < r.samples.size() / 128; ++b) {
        const std::int16_t first = r.samples[b * 128];
        for (std::size_t i = 1; i < 128; ++i)
            ASSERT_EQ(r.samples[b * 128 + i], first) << "buffer " << b << " is torn";
        if (b > 0) {
            ASSERT_EQ(first, (r.samples[(b - 1) * 128] + 1) % 30000) << "buffer " << b << " follows a gap";
        }
    }
}

TEST(Recorder, AFileThatCannotBeCreatedRecordsNothing)
{
    TempDir dir;
    dir.write("file", std::string("not a folder"));
    Recorder recorder;
    EXPECT_FALSE(recorder.start(dir.file("file") + "/output1.wav"));
    EXPECT_FALSE(recorder.recording());
    const float silence[4] = {};
    recorder.capture(silence, 2);
    EXPECT_TRUE(recorder.stop());

    // A folder that cannot be looked into: a name comes back at once and fails to open.
    std::filesystem::create_symlink(dir.file("loop"), dir.file("loop"));
    const std::string path = quom::nextRecordingPath(dir.file("loop"));
    EXPECT_EQ(path, dir.file("loop") + "/output1.wav");
    EXPECT_FALSE(recorder.start(path));
}

TEST(Recorder, TheReportSaysHowMuchSoundWasLost)
{
    TempDir dir;
    Recorder recorder;
    std::vector<float> buffer(2 * 256, 0.25f);
    EXPECT_TRUE(recorder.stop()) << "nothing recorded, nothing lost";

    // One buffer larger than the whole ring: the audio thread drops it, as it drops
    // what arrives while a stalled disk keeps the ring full.
    constexpr std::size_t kHuge = Recorder::kRingSamples; // frames: twice the ring
    std::vector<float> huge(2 * kHuge, 0.5f);
    ASSERT_TRUE(recorder.start(dir.file("output1.wav")));
    recorder.capture(buffer.data(), 256);
    recorder.capture(huge.data(), kHuge);
    recorder.capture(buffer.data(), 256);
    const auto dropped = recorder.stop();
    EXPECT_FALSE(dropped);
    EXPECT_EQ(dropped.path, dir.file("output1.wav"));
    EXPECT_EQ(dropped.lostFrames, kHuge);
    EXPECT_NEAR(dropped.lostSeconds(), kHuge / 44100.0, 1e-9);
    EXPECT_TRUE(dropped.error.empty());
    EXPECT_EQ(readRecording(dir, "output1.wav").samples.size(), 2 * 2 * 256u) << "the rest is kept";

    // A full disk: what the file could not take is lost, what it took is kept.
    std::size_t captured = 0;
    quom::RecordingReport full;
    {
        FileSizeLimit limit(100 * 1024);
        ASSERT_TRUE(recorder.start(dir.file("output2.wav")));
        for (int n = 0; n < 200; ++n, captured += 256)
            recorder.capture(buffer.data(), 256);
        full = recorder.stop();
    }
    EXPECT_FALSE(full);
    EXPECT_NE(full.error.find("output2.wav"), std::string::npos);
    const Recording kept = readRecording(dir, "output2.wav");
    EXPECT_GT(kept.samples.size(), 0u);
    EXPECT_EQ(kept.factFrames, kept.samples.size() / 2);
    EXPECT_EQ(full.lostFrames + kept.samples.size() / 2, captured);
}

TEST(Recorder, RecordingsACrashCutShortAreFinishedInNameOrder)
{
    TempDir dir;
    {
        Recorder recorder;
        ASSERT_TRUE(recorder.start(dir.file("output2.wav")));
        std::vector<float> buffer(2 * 64, 0.1f);
        recorder.capture(buffer.data(), 64);
        ASSERT_TRUE(recorder.stop());
    }
    std::filesystem::rename(dir.file("output2.wav"), dir.file("output2.wav.partial"));
    dir.write("output1.wav.partial", std::string("damaged"));
    dir.write("output3.wav", std::string("a finished recording stays as it is"));

    const auto finished = quom::finishUnfinishedRecordings(dir.path());
    ASSERT_EQ(finished.size(), 2u);
    EXPECT_EQ(finished[0].path, dir.file("output1.wav"));
    EXPECT_FALSE(finished[0].result);
    EXPECT_EQ(finished[1].path, dir.file("output2.wav"));
    EXPECT_TRUE(finished[1].result);
    EXPECT_EQ(readRecording(dir, "output2.wav").samples.size(), 128u);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"output1.wav.partial", "output2.wav", "output3.wav"}));

    EXPECT_TRUE(quom::finishUnfinishedRecordings(dir.file("missing")).empty());
}

} // namespace
