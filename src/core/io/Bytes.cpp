#include "core/io/Bytes.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace quom {
namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) noexcept
        : fd_(fd)
    {
    }
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const noexcept { return fd_; }
    void reset(int fd) noexcept
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

ReadError unreadable(const std::string& path, const std::string& detail)
{
    return {ReadFailure::Unreadable, path, detail};
}

} // namespace

void ByteWriter::put(std::uint32_t v, int width, bool bigEndian)
{
    for (int i = 0; i < width; ++i) {
        const int shift = bigEndian ? 8 * (width - 1 - i) : 8 * i;
        bytes_.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFF));
    }
}

void ByteWriter::patchU32le(std::size_t offset, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes_.at(offset + i) = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
}

void ByteWriter::patchU32be(std::size_t offset, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes_.at(offset + i) = static_cast<std::uint8_t>((v >> (8 * (3 - i))) & 0xFF);
}

std::optional<std::uint32_t> ByteReader::little(int width) noexcept
{
    if (remaining() < static_cast<std::size_t>(width)) {
        offset_ = bytes_.size();
        return std::nullopt;
    }
    std::uint32_t v = 0;
    for (int i = 0; i < width; ++i)
        v |= static_cast<std::uint32_t>(bytes_[offset_ + i]) << (8 * i);
    offset_ += width;
    return v;
}

std::optional<std::uint8_t> ByteReader::u8() noexcept
{
    auto v = little(1);
    return v ? std::optional<std::uint8_t>(static_cast<std::uint8_t>(*v)) : std::nullopt;
}

std::optional<std::uint16_t> ByteReader::u16le() noexcept
{
    auto v = little(2);
    return v ? std::optional<std::uint16_t>(static_cast<std::uint16_t>(*v)) : std::nullopt;
}

std::optional<std::uint32_t> ByteReader::u32le() noexcept
{
    return little(4);
}

std::optional<std::int32_t> ByteReader::i32le() noexcept
{
    auto v = little(4);
    return v ? std::optional<std::int32_t>(static_cast<std::int32_t>(*v)) : std::nullopt;
}

std::optional<std::span<const std::uint8_t>> ByteReader::take(std::size_t n) noexcept
{
    if (remaining() < n) {
        offset_ = bytes_.size();
        return std::nullopt;
    }
    auto s = bytes_.subspan(offset_, n);
    offset_ += n;
    return s;
}

bool ByteReader::skip(std::size_t n) noexcept
{
    return take(n).has_value();
}

bool ByteReader::seek(std::size_t offset) noexcept
{
    if (offset > bytes_.size())
        return false;
    offset_ = offset;
    return true;
}

namespace {

// The descriptor of path when it is a regular file no larger than kind allows, and its size.
ReadResult<std::uint64_t> openRegularFile(const std::string& path, const FileKind& kind, Descriptor& fd)
{
    // Without O_NONBLOCK, opening a FIFO would wait for a writer. The type is checked
    // on what was opened, so the name cannot change in between.
    fd.reset(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return unreadable(path, std::strerror(errno));
    struct stat st { };
    if (::fstat(fd.get(), &st) != 0)
        return unreadable(path, std::strerror(errno));
    if (!S_ISREG(st.st_mode))
        return unreadable(path, "is not a regular file");
    if (static_cast<std::uint64_t>(st.st_size) > kind.largest)
        return unreadable(path, "is too large to be " + std::string(kind.name));
    return static_cast<std::uint64_t>(st.st_size);
}

} // namespace

ReadStatus checkRegularFile(const std::string& path, const FileKind& kind)
{
    Descriptor fd(-1);
    const auto size = openRegularFile(path, kind, fd);
    if (!size)
        return size.error();
    return std::monostate{};
}

ReadResult<std::vector<std::uint8_t>> readRegularFile(const std::string& path, const FileKind& kind)
{
    Descriptor fd(-1);
    const auto size = openRegularFile(path, kind, fd);
    if (!size)
        return size.error();
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        return unreadable(path, std::strerror(errno));

    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(*size));
    } catch (const std::bad_alloc&) {
        return unreadable(path, "not enough memory to read the file");
    }
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return unreadable(path, std::strerror(errno));
        if (n == 0)
            break; // the file shrank since it was opened
        filled += static_cast<std::size_t>(n);
    }
    bytes.resize(filled);
    return bytes;
}

} // namespace quom
