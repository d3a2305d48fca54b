#include "core/files/PatternFile.h"

#include "core/files/GridBytes.h"

#include <algorithm>
#include <string_view>

namespace quom {
namespace {

constexpr std::string_view kMagic = "PATT";
constexpr std::uint32_t kVersion = 0x00010001;

} // namespace

ReadResult<PatternFileData> parsePatternFile(std::span<const std::uint8_t> bytes, const std::string& path)
{
    if (bytes.size() < 4 || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        return ReadError{ReadFailure::WrongMagic, path, "not a Quom pattern file"};
    if (bytes.size() < kPatternFileSize)
        return ReadError{ReadFailure::Damaged, path,
            "the pattern file is incomplete (" + std::to_string(bytes.size()) + " of "
                + std::to_string(kPatternFileSize) + " bytes)"};

    ByteReader in(bytes);
    in.skip(12); // magic, version and count carry nothing a reader needs
    PatternFileData pattern;
    pattern.tempo = *in.i32le();
    pattern.cells = *readGrid(in);
    return pattern;
}

ReadResult<PatternFileData> readPatternFile(const std::string& path)
{
    const auto bytes = readRegularFile(path, kPatternFileKind);
    if (!bytes)
        return bytes.error();
    return parsePatternFile(*bytes, path);
}

std::vector<std::uint8_t> encodePatternFile(const PatternFileData& pattern)
{
    ByteWriter out;
    out.bytes().reserve(kPatternFileSize);
    out.text(kMagic);
    out.u32le(kVersion);
    out.u32le(1);
    out.u32le(static_cast<std::uint32_t>(pattern.tempo));
    writeGrid(out, pattern.cells);
    return std::move(out.bytes());
}

WriteResult writePatternFile(const std::string& path, const PatternFileData& pattern)
{
    return writeFileAtomically(path, encodePatternFile(pattern));
}

} // namespace quom
