#pragma once

#include "core/io/ReadResult.h"
#include "core/kit/FileRate.h"
#include "core/kit/SampleData.h"

#include <cstdint>
#include <string>
#include <vector>

// One slot of a kit: a mono sample held as floats, with its flags.
namespace quom {

inline constexpr const char* kNotUsed = "not used";

class CInstrument {
public:
    virtual ~CInstrument() = default;

    // Reads a sample file (SampleFile.h) into data, rootKey and fileRate, resampled to
    // 44100 Hz when rate is Own and the file has another. Leaves the name and the flags
    // alone. On failure the previous sample stays (rootKey is reset to 60), and the
    // error says why.
    ReadStatus LoadWave(const std::string& path, FileRate rate = FileRate::AsIf44100);

    bool isEmpty() const noexcept { return name == kNotUsed; }
    // Frames in data; a wave file cannot hold more than 32 bits count.
    std::uint32_t length() const noexcept { return static_cast<std::uint32_t>(data.size()); }

    std::string name; // path of the wave file, or "not used"
    SampleData data; // mono sample, nominal range -1..1, shared between copies
    std::uint8_t rootKey = 60; // shown to the user only
    std::uint32_t fileRate = kPlayingRate; // the rate the file declares, shown where it is another
    bool loop = false;
    bool fade = false;
    std::uint8_t minKey = 0; // carried for the project file only
    std::uint8_t maxKey = 127;
    std::uint16_t scaleIndex = 0;
};

} // namespace quom
