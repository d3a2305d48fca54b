#include "core/io/RecordFile.h"

#include "core/io/Bytes.h"
#include "core/io/WriteAll.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <limits>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quom {
namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;
// Enough for any fmt chunk (its extra bytes have a 16-bit count) and a fact chunk.
constexpr std::size_t kMaxHeaderBytes = 128 * 1024;

WriteResult failure(const std::string& path, int err)
{
    return {false, path + ": " + std::strerror(err)};
}

bool writeU32At(int fd, std::uint64_t offset, std::uint32_t value)
{
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    return ::pwrite(fd, bytes, 4, static_cast<off_t>(offset)) == 4;
}

// Where a wave file's sizes sit, and the sample data they describe.
struct WaveLayout {
    std::uint32_t dataOffset = 0; // the first sample byte; the data size sits just before it
    std::uint32_t factOffset = 0; // the frame count; 0 without a fact chunk
    std::uint16_t blockAlign = 0;
};

// The most sample data a wave file can describe: its RIFF size counts everything
// after its own field, a pad byte included.
std::uint64_t maxDataBytes(std::uint32_t dataOffset)
{
    return std::numeric_limits<std::uint32_t>::max() - (dataOffset - 8) - 1;
}

bool writeSizes(int fd, const WaveLayout& layout, std::uint64_t dataBytes, std::uint32_t frameCount)
{
    const std::uint64_t padded = dataBytes + dataBytes % 2;
    return writeU32At(fd, 4, static_cast<std::uint32_t>(layout.dataOffset - 8 + padded))
        && (layout.factOffset == 0 || writeU32At(fd, layout.factOffset, frameCount))
        && writeU32At(fd, layout.dataOffset - 4, static_cast<std::uint32_t>(dataBytes));
}

// Cuts the file after dataBytes of samples, adds the pad byte odd data needs and
// writes the sizes: what every recording ends with, finished or rescued.
bool endWaveFile(int fd, const WaveLayout& layout, std::uint64_t dataBytes, std::uint32_t frameCount)
{
    const auto end = static_cast<off_t>(layout.dataOffset + dataBytes);
    const std::uint8_t pad = 0;
    return ::ftruncate(fd, end) == 0 && (dataBytes % 2 == 0 || ::pwrite(fd, &pad, 1, end) == 1)
        && writeSizes(fd, layout, dataBytes, frameCount) && ::fsync(fd) == 0;
}

bool tagIs(std::optional<std::span<const std::uint8_t>> tag, std::string_view expected)
{
    return tag && std::equal(tag->begin(), tag->end(), expected.begin(), expected.end());
}

// The layout of a file that this writer began: RIFF, WAVE, then chunks up to "data".
std::optional<WaveLayout> parseLayout(std::span<const std::uint8_t> header)
{
    ByteReader in(header);
    if (!tagIs(in.take(4), "RIFF") || !in.skip(4) || !tagIs(in.take(4), "WAVE"))
        return std::nullopt;
    WaveLayout layout;
    for (;;) {
        const auto id = in.take(4);
        const auto size = in.u32le();
        if (!id || !size)
            return std::nullopt;
        const std::size_t body = in.offset();
        if (tagIs(id, "data")) {
            layout.dataOffset = static_cast<std::uint32_t>(body);
            break;
        }
        if (tagIs(id, "fmt ") && *size >= 16 && in.seek(body + 12))
            layout.blockAlign = in.u16le().value_or(0);
        else if (tagIs(id, "fact") && *size >= 4)
            layout.factOffset = static_cast<std::uint32_t>(body);
        if (!in.seek(body) || !in.skip(std::size_t{*size} + *size % 2))
            return std::nullopt;
    }
    if (layout.blockAlign == 0)
        return std::nullopt;
    return layout;
}

} // namespace

RecordFile::~RecordFile()
{
    if (isOpen())
        CloseRecordFile(wholeBlocks());
}

std::uint32_t RecordFile::wholeBlocks() const noexcept
{
    return static_cast<std::uint32_t>(dataBytes_ / std::max<std::uint16_t>(blockAlign_, 1));
}

WriteResult RecordFile::fail(int err)
{
    failure_ = path_ + ": " + std::strerror(err);
    return {false, failure_};
}

WriteResult RecordFile::OpenRecordFile(const std::string& path, const WaveFormat& format)
{
    if (isOpen())
        return {false, path + ": another recording is still open"};

    ByteWriter header;
    header.text("RIFF");
    const std::size_t riffOffset = header.size();
    header.u32le(0);
    header.text("WAVE");
    header.text("fmt ");
    const bool pcm = format.tag == 1;
    const std::uint32_t fmtBytes = pcm ? 16 : 18 + static_cast<std::uint32_t>(format.extra.size());
    header.u32le(fmtBytes);
    header.u16le(format.tag);
    header.u16le(format.channels);
    header.u32le(format.rate);
    header.u32le(format.byteRate);
    header.u16le(format.blockAlign);
    header.u16le(format.bits);
    if (!pcm) {
        header.u16le(static_cast<std::uint16_t>(format.extra.size()));
        header.raw(format.extra);
        if (fmtBytes % 2 != 0)
            header.u8(0);
    }
    header.text("fact");
    header.u32le(4);
    const std::size_t factOffset = header.size();
    header.u32le(0);
    header.text("data");
    header.u32le(0);
    // Valid and empty from the start: a crash at any moment leaves a wave file.
    header.patchU32le(riffOffset, static_cast<std::uint32_t>(header.size() - 8));

    path_ = path;
    temporary_ = partialPath(path);
    failure_.clear();
    dataBytes_ = 0;
    buffered_ = 0;
    headerBytes_ = static_cast<std::uint32_t>(header.size());
    factOffset_ = static_cast<std::uint32_t>(factOffset);
    blockAlign_ = format.blockAlign;
    checkpointBytes_ = std::max<std::uint32_t>(format.byteRate / 2, 1);
    nextCheckpoint_ = checkpointBytes_;

    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0)
        return failure(path, errno);
    if (!writeAll(fd_, header.bytes().data(), header.size())) {
        const int err = errno;
        ::close(fd_);
        ::unlink(temporary_.c_str());
        fd_ = -1;
        return failure(path, err);
    }
    // Tells a second Quom on the same folder that this file is not a crash's leftover.
    ::flock(fd_, LOCK_EX | LOCK_NB);
    buffer_.resize(kBufferBytes);
    return {true, {}};
}

WriteResult RecordFile::flush()
{
    if (buffered_ > 0 && !writeAll(fd_, buffer_.data(), buffered_)) {
        dataBytes_ -= buffered_;
        buffered_ = 0;
        return fail(errno);
    }
    buffered_ = 0;
    return {true, {}};
}

WriteResult RecordFile::checkpoint()
{
    if (auto r = flush(); !r)
        return r;
    // No fsync: a killed program keeps what reached the kernel, and a sync here could
    // stall the writer for longer than the ring holds.
    if (!writeSizes(fd_, {headerBytes_, factOffset_, blockAlign_}, dataBytes_, wholeBlocks()))
        return fail(errno);
    nextCheckpoint_ = dataBytes_ + checkpointBytes_;
    return {true, {}};
}

WriteResult RecordFile::AppendRecordData(std::span<const std::uint8_t> bytes)
{
    if (!isOpen())
        return {false, "no recording is open"};
    if (!failure_.empty())
        return {false, failure_};
    if (dataBytes_ + bytes.size() > maxDataBytes(headerBytes_))
        return {false, path_ + ": a wave file cannot grow past 4 GiB"};

    if (buffered_ + bytes.size() > buffer_.size()) {
        if (auto r = flush(); !r)
            return r;
    }
    if (bytes.size() >= buffer_.size()) {
        if (!writeAll(fd_, bytes.data(), bytes.size()))
            return fail(errno);
    } else {
        std::copy(bytes.begin(), bytes.end(), buffer_.begin() + static_cast<std::ptrdiff_t>(buffered_));
        buffered_ += bytes.size();
    }
    dataBytes_ += bytes.size();
    if (dataBytes_ >= nextCheckpoint_)
        return checkpoint();
    return {true, {}};
}

WriteResult RecordFile::CloseRecordFile(std::uint32_t frameCount)
{
    if (!isOpen())
        return {false, "no recording is open"};
    if (failure_.empty())
        flush();
    if (!failure_.empty())
        frameCount = wholeBlocks();
    const bool ended = endWaveFile(fd_, {headerBytes_, factOffset_, blockAlign_}, dataBytes_, frameCount);
    const int endError = errno;
    const bool closed = ::close(fd_) == 0;
    const int closeError = errno;
    fd_ = -1;
    buffer_ = {};
    // A recording that cannot be finished stays partial, for the next start to finish.
    if (!ended || !closed)
        return failure(path_, ended ? closeError : endError);
    if (::rename(temporary_.c_str(), path_.c_str()) != 0)
        return failure(path_, errno);
    if (!failure_.empty())
        return {false, failure_};
    return {true, {}};
}

WriteResult finishPartialRecording(const std::string& partialPath)
{
    if (!partialPath.ends_with(RecordFile::kPartialSuffix))
        return {false, partialPath + ": not an unfinished recording"};
    const std::string path = partialPath.substr(0, partialPath.size() - RecordFile::kPartialSuffix.size());
    std::error_code error;
    if (std::filesystem::exists(path, error) || error)
        return {false, path + ": a file of that name exists already"};

    const int fd = ::open(partialPath.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return failure(partialPath, errno);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return {false, partialPath + ": still being recorded"};
    }
    struct stat status { };
    std::vector<std::uint8_t> header;
    if (::fstat(fd, &status) == 0) {
        header.resize(std::min<std::size_t>(static_cast<std::size_t>(status.st_size), kMaxHeaderBytes));
        const ssize_t got = ::pread(fd, header.data(), header.size(), 0);
        header.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    }
    const auto layout = parseLayout(header);
    if (!layout) {
        ::close(fd);
        return {false, partialPath + ": not a recording that can be finished"};
    }
    std::uint64_t dataBytes = static_cast<std::uint64_t>(status.st_size) - layout->dataOffset;
    dataBytes = std::min(dataBytes, maxDataBytes(layout->dataOffset));
    dataBytes -= dataBytes % layout->blockAlign;
    const bool ended
        = endWaveFile(fd, *layout, dataBytes, static_cast<std::uint32_t>(dataBytes / layout->blockAlign));
    const int endError = errno;
    if (::close(fd) != 0 || !ended)
        return failure(partialPath, ended ? errno : endError);
    if (::rename(partialPath.c_str(), path.c_str()) != 0)
        return failure(partialPath, errno);
    return {true, {}};
}

} // namespace quom
