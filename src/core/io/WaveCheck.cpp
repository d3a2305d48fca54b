#include "core/io/WaveCheck.h"

#include "core/io/SampleFile.h"
#include "core/io/SoundFileReader.h"
#include "core/io/WaveReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>

namespace quom {

namespace {

std::uint32_t u32le(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t u16le(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

bool read(std::ifstream& in, std::uint8_t* into, std::size_t n)
{
    return static_cast<bool>(in.read(reinterpret_cast<char*>(into), static_cast<std::streamsize>(n)));
}

} // namespace

bool passesWaveCheck(const std::string& path)
{
    // A FIFO or a device named like a wave file would block or never end.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::array<std::uint8_t, 12> riff{};
    const bool riffWave = read(in, riff.data(), riff.size())
        && std::string(riff.begin(), riff.begin() + 4) == "RIFF"
        && std::string(riff.begin() + 8, riff.end()) == "WAVE";
    if (!riffWave)
        return !hasWaveFileName(path) && hasSampleFileName(path) && opensAsSoundFile(path);
    const std::uint64_t riffSize = u32le(riff.data() + 4) & ~std::uint32_t{1};
    std::uint64_t offset = 4;
    while (offset < riffSize) {
        std::array<std::uint8_t, 8> header{};
        if (!read(in, header.data(), header.size()))
            break; // the walk ends with the file
        const std::uint32_t size = u32le(header.data() + 4);
        if (std::string(header.begin(), header.begin() + 4) == "fmt ") {
            // The 16 bytes of fields and, in the extensible format, its sub-format.
            constexpr std::uint32_t kFields = 16;
            std::array<std::uint8_t, 40> format{};
            if (size < kFields)
                return false;
            in.read(reinterpret_cast<char*>(format.data()),
                static_cast<std::streamsize>(std::min<std::uint32_t>(size, format.size())));
            const auto looked = static_cast<std::uint32_t>(in.gcount());
            if (looked < kFields)
                return false;
            in.clear(); // a chunk cut short after its fields ends the walk at the next header
            const std::uint16_t channels = u16le(format.data() + 2);
            const std::uint16_t bits = u16le(format.data() + 14);
            const bool floats = bits == 64 && namesFloatSamples(std::span(format.data(), looked));
            if ((bits != 8 && bits != 16 && bits != 24 && bits != 32 && !floats) || channels >= 3)
                return false;
            in.seekg(size - looked, std::ios::cur);
        } else {
            in.seekg(size, std::ios::cur);
        }
        offset += 8 + static_cast<std::uint64_t>(size);
    }
    return true;
}

} // namespace quom
