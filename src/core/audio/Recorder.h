#pragma once

#include "core/audio/SpscRing.h"
#include "core/io/RecordFile.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

// Records what the output stream plays into a 16-bit stereo wave file. The audio
// thread converts each buffer and hands it through a lock-free ring to a writer
// thread, which appends it to the file; the audio thread never touches the file.
namespace quom {

// "output<n>.wav" in folder with the smallest n from 1 up that names no file yet.
std::string nextRecordingPath(const std::string& folder);

// A recording that a crash left unfinished in folder, and whether it got its name.
struct FinishedRecording {
    std::string path; // the name it has, or would have had
    WriteResult result;
};

// Finishes every "<name>.partial" file in folder (see finishPartialRecording), in
// name order.
std::vector<FinishedRecording> finishUnfinishedRecordings(const std::string& folder);

// How a recording ended: the sound that did not reach its file, and why.
struct RecordingReport {
    std::string path;
    // Captured while recording but not in the file: the ring overflowed behind a slow
    // disk, a write failed, or the file reached the 4 GiB limit.
    std::uint64_t lostFrames = 0;
    // The first write that failed, naming the path; empty when none did.
    std::string error;

    double lostSeconds() const noexcept { return static_cast<double>(lostFrames) / 44100.0; }
    // Whether everything captured is in the file.
    explicit operator bool() const noexcept { return lostFrames == 0 && error.empty(); }
};

class Recorder {
public:
    // Enough room for about 12 seconds of sound, should the disk stall.
    static constexpr std::size_t kRingSamples = std::size_t{1} << 20;

    Recorder();
    // Ends a recording in progress, as Stop does.
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Window thread. Creates the file and only then starts taking buffers. False,
    // with nothing recorded, when the file cannot be created.
    bool start(const std::string& path);

    // Window thread. Stops taking buffers, waits until the writer has written all it
    // was given, and completes the file, keeping what was written before a failure.
    // An empty report when no recording was running.
    RecordingReport stop();

    bool recording() const noexcept { return recording_.load(std::memory_order_relaxed); }

    // Audio thread: takes one buffer of interleaved stereo frames while recording.
    // A buffer is taken whole or, when the ring is full, not at all.
    void capture(const float* interleavedStereo, std::size_t frames) noexcept;

private:
    void writeUntilStopped();

    SpscRing<std::int16_t> ring_;
    // recording_ and capturing_ use sequentially consistent order: Stop clears the
    // one and then reads the other, Capture sets the other and then reads the one,
    // so once Stop has seen capturing_ false no buffer can still enter the ring.
    std::atomic<bool> recording_{false};
    std::atomic<bool> capturing_{false};
    std::atomic<bool> stopWriter_{false};
    std::atomic<std::uint64_t> droppedFrames_{0};
    RecordFile file_; // the window thread opens and closes it, the writer appends
    std::string path_;
    std::thread writer_;
    // The writer thread's while it runs, the window thread's once it is joined.
    std::uint64_t samplesTaken_ = 0;
    std::uint64_t samplesWritten_ = 0;
    std::string writeError_;
};

} // namespace quom
