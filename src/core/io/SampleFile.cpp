#include "core/io/SampleFile.h"

#include "core/io/Bytes.h"
#include "core/io/SoundFileReader.h"

#include <algorithm>
#include <cctype>

namespace quom {
namespace {

bool isRiffWave(std::span<const std::uint8_t> bytes)
{
    constexpr std::string_view kRiff = "RIFF";
    constexpr std::string_view kWave = "WAVE";
    return bytes.size() >= 12 && std::equal(kRiff.begin(), kRiff.end(), bytes.begin())
        && std::equal(kWave.begin(), kWave.end(), bytes.begin() + 8);
}

char lowered(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

char raised(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// extension is in lower case.
bool endsWithExtension(std::string_view name, std::string_view extension, NameCase letters)
{
    if (name.size() <= extension.size() || name[name.size() - extension.size() - 1] != '.')
        return false;
    const std::string_view tail = name.substr(name.size() - extension.size());
    if (letters == NameCase::Uniform)
        return tail == extension || std::ranges::equal(tail, extension, {}, {}, raised);
    return std::ranges::equal(tail, extension, {}, lowered);
}

} // namespace

bool hasSampleFileName(std::string_view name, NameCase letters)
{
    return std::ranges::any_of(kSampleFileExtensions,
        [&](std::string_view extension) { return endsWithExtension(name, extension, letters); });
}

bool hasWaveFileName(std::string_view name)
{
    return endsWithExtension(name, kSampleFileExtensions[0], NameCase::Any);
}

ReadResult<DecodedWave> readSampleFile(const std::string& path)
{
    const auto bytes = readRegularFile(path, kSampleFileKind);
    if (!bytes)
        return bytes.error();
    if (isRiffWave(*bytes) || hasWaveFileName(path))
        return decodeWave(*bytes, path);
    return decodeSoundFile(*bytes, path);
}

} // namespace quom
