#pragma once

#include "core/files/AtomicFile.h"

#include <cstdint>
#include <span>
#include <string>
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
// target name never holds a half-written file. A recording cut short by a crash
// stays in the temporary file.
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
    static std::string partialPath(const std::string& path) { return path + ".partial"; }

    // Creates the temporary file and writes everything up to the sample data. Fails
    // when a recording is already open.
    WriteResult OpenRecordFile(const std::string& path, const WaveFormat& format);

    // Appends raw sample bytes. After a failed write the recording is lost: every
    // further call fails and CloseRecordFile removes the temporary file. Bytes that
    // would take the file past the 4 GiB limit of its sizes are refused, and the
    // recording stays valid up to there.
    WriteResult AppendRecordData(std::span<const std::uint8_t> bytes);

    // Writes the sizes, frameCount into the fact chunk and a pad byte after odd data,
    // then gives the file its name, replacing an existing one.
    WriteResult CloseRecordFile(std::uint32_t frameCount);

    bool isOpen() const noexcept { return fd_ >= 0; }
    std::uint64_t dataBytes() const noexcept { return dataBytes_; }

private:
    WriteResult flush();
    WriteResult fail(int err);
    void abandon();

    int fd_ = -1;
    std::string path_;
    std::string temporary_;
    std::vector<std::uint8_t> buffer_;
    std::size_t buffered_ = 0;
    std::uint64_t dataBytes_ = 0;
    std::uint32_t headerBytes_ = 0; // everything before the sample data
    std::uint32_t factOffset_ = 0; // where the frame count sits
    std::uint16_t blockAlign_ = 0;
    bool failed_ = false;
};

} // namespace quom
