#pragma once

#include "core/io/AtomicFile.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The streaming writer of wave files, for recording the output while it plays.
namespace quom {

// A wave format record; formats other than PCM (tag 1) carry extra bytes.
struct WaveFormat {
    std::uint16_t tag = 1;
    std::uint16_t channels = 2;
    std::uint32_t rate = 44100;
    std::uint32_t byteRate = 176400;
    std::uint16_t blockAlign = 4;
    std::uint16_t bits = 16;
    std::vector<std::uint8_t> extra;
};

// One recording: "RIFF", "WAVE", the fmt chunk, a fact chunk with the frame count,
// then the data chunk as bytes are appended, through a buffer of our own.
//
// The file grows under a temporary name beside the target (path + ".partial") and
// takes the target's name only when CloseRecordFile has written its sizes, so the
// target name never holds a half-written file. The partial file is a valid wave
// file while it grows: after every half second of sound (format.byteRate / 2 bytes)
// the buffer is written and the sizes brought up to date, so a program killed while
// recording loses at most that much; finishPartialRecording names what it left.
//
// Not thread-safe: one thread (the recording writer thread, never the audio thread)
// owns the object and calls all three operations.
class RecordFile {
public:
    RecordFile() = default;
    // Closes a recording still open, with the whole frames appended so far.
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Where a recording bound for path grows until it is closed.
    static constexpr std::string_view kPartialSuffix = ".partial";
    static std::string partialPath(const std::string& path) { return path + std::string(kPartialSuffix); }

    // Creates the temporary file and writes everything up to the sample data. Fails
    // when a recording is already open.
    WriteResult OpenRecordFile(const std::string& path, const WaveFormat& format);

    // Appends raw sample bytes. After a failed write every further call fails, and the
    // recording keeps the data written before the failure. Bytes that would take the
    // file past the 4 GiB limit of its sizes are refused, and the recording stays
    // valid up to there.
    WriteResult AppendRecordData(std::span<const std::uint8_t> bytes);

    // Writes the sizes, frameCount into the fact chunk and a pad byte after odd data,
    // then gives the file its name, replacing an existing one. After a failed write
    // the data stops where the failure struck and the fact counts its whole blocks;
    // the result names that failure even though the file keeps its name.
    WriteResult CloseRecordFile(std::uint32_t frameCount);

    bool isOpen() const noexcept { return fd_ >= 0; }
    // The sample bytes the file keeps: those appended, less any a failed write lost.
    // Still valid after CloseRecordFile.
    std::uint64_t dataBytes() const noexcept { return dataBytes_; }

private:
    WriteResult flush();
    WriteResult fail(int err);
    // Writes the buffer and brings the sizes on disk up to the data written so far.
    WriteResult checkpoint();
    std::uint32_t wholeBlocks() const noexcept;

    int fd_ = -1;
    std::string path_;
    std::string temporary_;
    std::vector<std::uint8_t> buffer_;
    std::size_t buffered_ = 0;
    std::uint64_t dataBytes_ = 0;
    std::uint64_t nextCheckpoint_ = 0; // dataBytes_ at which the sizes are next written
    std::uint32_t checkpointBytes_ = 0;
    std::uint32_t headerBytes_ = 0; // everything before the sample data
    std::uint32_t factOffset_ = 0; // where the frame count sits
    std::uint16_t blockAlign_ = 0;
    std::string failure_; // the first failed write, naming the path; empty while none
};

// Gives a recording that a crash left as "<name>.partial" its final name, its sizes
// and fact frame count taken from the file's length (whole blocks of data only).
// Fails, changing nothing, when the file is not a wave file up to its data chunk or
// when a file already holds the final name.
WriteResult finishPartialRecording(const std::string& partialPath);

} // namespace quom
