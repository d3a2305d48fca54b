#include "core/audio/Recorder.h"

#include "core/io/Pcm16.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace quom {

namespace {

// How long the writer sleeps when the ring is empty: short enough that the ring
// never fills, long enough to cost nothing.
constexpr auto kWriterPause = std::chrono::milliseconds(5);
constexpr std::size_t kWriterChunk = 16384; // samples appended at once
constexpr std::size_t kConvertChunk = 512; // samples converted at once on the audio thread

} // namespace

std::string nextRecordingPath(const std::string& folder)
{
    // A recording cut short by a crash keeps its number: it is never overwritten.
    // A folder that cannot be looked into gives the first name, which then fails to
    // open, instead of searching forever.
    for (int n = 1;; ++n) {
        std::string path = folder + "/output" + std::to_string(n) + ".wav";
        std::error_code error;
        const bool taken = std::filesystem::exists(path, error)
            || std::filesystem::exists(RecordFile::partialPath(path), error);
        if (!taken || error)
            return path;
    }
}

std::vector<FinishedRecording> finishUnfinishedRecordings(const std::string& folder)
{
    std::vector<std::string> partials;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string path = entry.path().string();
        if (path.ends_with(RecordFile::kPartialSuffix))
            partials.push_back(path);
    }
    std::ranges::sort(partials);
    std::vector<FinishedRecording> finished;
    for (const std::string& partial : partials)
        finished.push_back({partial.substr(0, partial.size() - RecordFile::kPartialSuffix.size()),
            finishPartialRecording(partial)});
    return finished;
}

Recorder::Recorder()
    : ring_(kRingSamples)
{
}

Recorder::~Recorder()
{
    stop();
}

bool Recorder::start(const std::string& path)
{
    if (recording())
        return false;
    if (!file_.OpenRecordFile(path, WaveFormat{})) // 16-bit stereo PCM at 44100 Hz
        return false;
    path_ = path;
    samplesTaken_ = 0;
    samplesWritten_ = 0;
    writeError_.clear();
    droppedFrames_.store(0, std::memory_order_relaxed);
    stopWriter_.store(false, std::memory_order_relaxed);
    writer_ = std::thread(&Recorder::writeUntilStopped, this);
    recording_.store(true);
    return true;
}

RecordingReport Recorder::stop()
{
    if (!writer_.joinable())
        return {};
    recording_.store(false);
    while (capturing_.load())
        std::this_thread::yield(); // at most the rest of one audio buffer
    stopWriter_.store(true, std::memory_order_release);
    writer_.join();
    const WriteResult closed = file_.CloseRecordFile(static_cast<std::uint32_t>(samplesWritten_ / 2));
    RecordingReport report{path_, droppedFrames_.load(std::memory_order_relaxed), writeError_};
    // A failed write can also take back data appended before it, still in the buffer.
    report.lostFrames += samplesTaken_ / 2 - file_.dataBytes() / 4;
    if (report.error.empty())
        report.error = closed.error;
    return report;
}

void Recorder::capture(const float* interleavedStereo, std::size_t frames) noexcept
{
    capturing_.store(true);
    if (recording_.load()) {
        const std::size_t samples = frames * 2;
        if (ring_.writable() < samples) {
            droppedFrames_.fetch_add(frames, std::memory_order_relaxed);
        } else {
            std::int16_t converted[kConvertChunk];
            for (std::size_t done = 0; done < samples;) {
                const std::size_t n = samples - done < kConvertChunk ? samples - done : kConvertChunk;
                for (std::size_t i = 0; i < n; ++i)
                    converted[i] = toPcm16(interleavedStereo[done + i]);
                ring_.push(converted, n); // fits: only this thread fills the ring
                done += n;
            }
        }
    }
    capturing_.store(false);
}

void Recorder::writeUntilStopped()
{
    std::vector<std::int16_t> chunk(kWriterChunk);
    std::vector<std::uint8_t> bytes(kWriterChunk * 2);
    for (;;) {
        // Read before draining: once stopping is seen, nothing more enters the ring.
        const bool stopping = stopWriter_.load(std::memory_order_acquire);
        const std::size_t n = ring_.pop(chunk.data(), chunk.size());
        if (n > 0) {
            for (std::size_t i = 0; i < n; ++i) {
                const auto sample = static_cast<std::uint16_t>(chunk[i]);
                bytes[2 * i] = static_cast<std::uint8_t>(sample & 0xFF);
                bytes[2 * i + 1] = static_cast<std::uint8_t>(sample >> 8);
            }
            samplesTaken_ += n;
            // Counted only once in the file: the frame count must match the data.
            if (auto appended = file_.AppendRecordData(std::span(bytes.data(), n * 2)))
                samplesWritten_ += n;
            else if (writeError_.empty())
                writeError_ = std::move(appended.error);
        } else if (stopping) {
            return;
        } else {
            std::this_thread::sleep_for(kWriterPause);
        }
    }
}

} // namespace quom
