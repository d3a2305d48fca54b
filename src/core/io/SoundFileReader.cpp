#include "core/io/SoundFileReader.h"

#include "core/io/SharedLibrary.h"

#include <fcntl.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <vector>

namespace quom {
namespace {

struct Sndfile {
    SharedLibrary library{"libsndfile.so.1"};
    decltype(&sf_open_fd) openDescriptor = library.function<decltype(&sf_open_fd)>("sf_open_fd");
    decltype(&sf_open_virtual) open = library.function<decltype(&sf_open_virtual)>("sf_open_virtual");
    decltype(&sf_readf_float) readFrames = library.function<decltype(&sf_readf_float)>("sf_readf_float");
    decltype(&sf_command) command = library.function<decltype(&sf_command)>("sf_command");
    decltype(&sf_error) error = library.function<decltype(&sf_error)>("sf_error");
    decltype(&sf_strerror) errorText = library.function<decltype(&sf_strerror)>("sf_strerror");
    decltype(&sf_close) close = library.function<decltype(&sf_close)>("sf_close");

    bool usable() const noexcept
    {
        return openDescriptor && open && readFrames && command && error && errorText && close;
    }
};

const Sndfile& sndfile()
{
    static const Sndfile library;
    return library;
}

// The file's bytes as libsndfile's virtual file: read-only, seekable anywhere, reading
// nothing beyond the end.
struct MemoryFile {
    std::span<const std::uint8_t> bytes;
    sf_count_t position = 0;

    sf_count_t size() const noexcept { return static_cast<sf_count_t>(bytes.size()); }
};

MemoryFile& memoryOf(void* user)
{
    return *static_cast<MemoryFile*>(user);
}

sf_count_t lengthOf(void* user)
{
    return memoryOf(user).size();
}

sf_count_t seekIn(sf_count_t offset, int whence, void* user)
{
    MemoryFile& file = memoryOf(user);
    const sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? file.position : file.size();
    if (offset < -base || offset > std::numeric_limits<sf_count_t>::max() - base)
        return -1;
    file.position = base + offset;
    return file.position;
}

sf_count_t readFrom(void* into, sf_count_t count, void* user)
{
    MemoryFile& file = memoryOf(user);
    const sf_count_t n
        = std::clamp<sf_count_t>(file.size() - file.position, 0, std::max<sf_count_t>(count, 0));
    if (n > 0)
        std::memcpy(into, file.bytes.data() + file.position, static_cast<std::size_t>(n));
    file.position += n;
    return n;
}

sf_count_t writeTo(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t positionOf(void* user)
{
    return memoryOf(user).position;
}

ReadError openFailure(const Sndfile& library, const std::string& path)
{
    switch (library.error(nullptr)) {
    case SF_ERR_UNRECOGNISED_FORMAT:
        return {ReadFailure::WrongMagic, path, "not a sound file"};
    case SF_ERR_UNSUPPORTED_ENCODING:
        return {ReadFailure::Unsupported, path, "unsupported encoding"};
    case SF_ERR_MALFORMED_FILE:
        return {ReadFailure::Damaged, path, std::string("damaged: ") + library.errorText(nullptr)};
    default:
        // The library's other texts speak of files on disk, which a file in memory is not.
        return {ReadFailure::Damaged, path, "damaged or cut short"};
    }
}

// A sample's length is counted in 32 bits (CInstrument::length).
constexpr std::size_t kMostFrames = std::numeric_limits<std::uint32_t>::max();

} // namespace

ReadResult<DecodedWave> decodeSoundFile(std::span<const std::uint8_t> bytes, const std::string& path)
{
    const Sndfile& library = sndfile();
    if (!library.usable())
        return ReadError{ReadFailure::Unsupported, path,
            "cannot read this type of file without libsndfile (" + library.library.failure() + ")"};

    SF_VIRTUAL_IO io{lengthOf, seekIn, readFrom, writeTo, positionOf};
    MemoryFile memory{bytes};
    SF_INFO info{};
    const std::unique_ptr<SNDFILE, decltype(library.close)> file(
        library.open(&io, SFM_READ, &info, &memory), library.close);
    if (!file)
        return openFailure(library, path);
    if (info.channels < 1 || info.samplerate < 1)
        return ReadError{ReadFailure::Damaged, path, "damaged: no channel or no sample rate"};

    DecodedWave sound;
    sound.sampleRate = static_cast<std::uint32_t>(info.samplerate);
    SF_INSTRUMENT instrument{};
    if (library.command(file.get(), SFC_GET_INSTRUMENT, &instrument, sizeof instrument) == SF_TRUE)
        sound.rootKey = static_cast<std::uint8_t>(instrument.basenote);

    const auto channels = static_cast<std::size_t>(info.channels);
    const std::size_t blockFrames = std::max<std::size_t>(1, 65536 / channels);
    try {
        std::vector<float> block(blockFrames * channels);
        for (;;) {
            const sf_count_t got
                = library.readFrames(file.get(), block.data(), static_cast<sf_count_t>(blockFrames));
            if (got <= 0)
                break;
            if (sound.samples.size() + static_cast<std::size_t>(got) > kMostFrames)
                return ReadError{
                    ReadFailure::Unsupported, path, "too large: more frames than a sample can hold"};
            // As in a float wave, an infinity or a NaN would poison the mix: silence instead.
            for (sf_count_t f = 0; f < got; ++f) {
                const float v = block[static_cast<std::size_t>(f) * channels];
                sound.samples.push_back(std::isfinite(v) ? v : 0.0f);
            }
        }
    } catch (const std::bad_alloc&) {
        return ReadError{ReadFailure::Unreadable, path, "not enough memory to read sample data"};
    }
    if (sound.samples.empty() && library.error(file.get()) != SF_ERR_NO_ERROR)
        return ReadError{ReadFailure::Damaged, path, "damaged or cut short"};
    return sound;
}

bool opensAsSoundFile(const std::string& path)
{
    const Sndfile& library = sndfile();
    if (!library.usable())
        return false;
    // By descriptor, as the whole file is by memory: given a name, libsndfile guesses from
    // the extension and lets its MP3 decoder print what it makes of a file that is none.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    SF_INFO info{};
    SNDFILE* file = library.openDescriptor(descriptor, SFM_READ, &info, SF_FALSE);
    const bool opened = file != nullptr;
    if (opened)
        library.close(file);
    ::close(descriptor);
    return opened && info.channels > 0 && info.samplerate > 0;
}

} // namespace quom
