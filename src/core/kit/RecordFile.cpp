#include "core/kit/RecordFile.h"

#include "core/files/Bytes.h"
#include "core/files/WriteAll.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace quom {
namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;
constexpr std::uint32_t kRecordingFrames = 0xFFFFFFFF; // the fact value until the recording ends

bool writeU32At(int fd, std::uint32_t offset, std::uint32_t value)
{
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    return ::pwrite(fd, bytes, 4, offset) == 4;
}

} // namespace

RecordFile::~RecordFile()
{
    if (isOpen())
        CloseRecordFile(blockAlign_ ? static_cast<std::uint32_t>(dataBytes_ / blockAlign_) : 0);
}

WriteResult RecordFile::fail(int err)
{
    failed_ = true;
    return {false, path_ + ": " + std::strerror(err)};
}

void RecordFile::abandon()
{
    ::close(fd_);
    ::unlink(temporary_.c_str());
    fd_ = -1;
    buffer_ = {};
}

WriteResult RecordFile::OpenRecordFile(const std::string& path, const WaveFormat& format)
{
    if (isOpen())
        return {false, path + ": another recording is still open"};

    ByteWriter header;
    header.text("RIFF");
    header.u32le(0); // file size - 8, at close
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
    header.u32le(kRecordingFrames);
    header.text("data");
    header.u32le(0); // at close

    path_ = path;
    temporary_ = partialPath(path);
    failed_ = false;
    dataBytes_ = 0;
    buffered_ = 0;
    headerBytes_ = static_cast<std::uint32_t>(header.size());
    factOffset_ = static_cast<std::uint32_t>(factOffset);
    blockAlign_ = format.blockAlign;

    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0)
        return {false, path + ": " + std::strerror(errno)};
    if (!writeAll(fd_, header.bytes().data(), header.size())) {
        const int err = errno;
        abandon();
        return {false, path + ": " + std::strerror(err)};
    }
    buffer_.resize(kBufferBytes);
    return {true, {}};
}

WriteResult RecordFile::flush()
{
    if (buffered_ > 0 && !writeAll(fd_, buffer_.data(), buffered_))
        return fail(errno);
    buffered_ = 0;
    return {true, {}};
}

WriteResult RecordFile::AppendRecordData(std::span<const std::uint8_t> bytes)
{
    if (!isOpen())
        return {false, "no recording is open"};
    if (failed_)
        return {false, path_ + ": an earlier write failed"};
    // The RIFF size counts everything after its own field, a pad byte included.
    const std::uint64_t limit = std::numeric_limits<std::uint32_t>::max() - (headerBytes_ - 8) - 1;
    if (dataBytes_ + bytes.size() > limit)
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
    return {true, {}};
}

WriteResult RecordFile::CloseRecordFile(std::uint32_t frameCount)
{
    if (!isOpen())
        return {false, "no recording is open"};
    WriteResult result = failed_ ? WriteResult{false, path_ + ": an earlier write failed"} : flush();
    if (result && dataBytes_ % 2 != 0) {
        const std::uint8_t pad = 0;
        if (!writeAll(fd_, &pad, 1))
            result = fail(errno);
    }
    const std::uint64_t paddedData = dataBytes_ + dataBytes_ % 2;
    if (result
        && !(writeU32At(fd_, 4, static_cast<std::uint32_t>(headerBytes_ - 8 + paddedData))
            && writeU32At(fd_, factOffset_, frameCount)
            && writeU32At(fd_, headerBytes_ - 4, static_cast<std::uint32_t>(dataBytes_))
            && ::fsync(fd_) == 0))
        result = fail(errno);
    if (!result) {
        abandon();
        return result;
    }
    const int closed = ::close(fd_);
    fd_ = -1;
    buffer_ = {};
    if (closed != 0 || ::rename(temporary_.c_str(), path_.c_str()) != 0) {
        const int err = errno;
        ::unlink(temporary_.c_str());
        return {false, path_ + ": " + std::strerror(err)};
    }
    return {true, {}};
}

} // namespace quom
