#pragma once

#include "core/settings/Settings.h"

#include <cstdint>

// What becomes of a sample file's own rate on loading. The engine plays every sample as
// if recorded at 44100 Hz.
namespace quom {

inline constexpr std::uint32_t kPlayingRate = 44100;

enum class FileRate {
    // The samples as the file holds them, as Quom has always played them: a 48 kHz
    // file plays about 8 % slow and a semitone and a half flat. Projects rely on it.
    AsIf44100,
    // Resampled to 44100 Hz, so the sample sounds at its own pitch and speed.
    Own,
};

constexpr FileRate fileRateOf(const Settings& settings) noexcept
{
    return settings.playSamplesAtOwnRate ? FileRate::Own : FileRate::AsIf44100;
}

} // namespace quom
