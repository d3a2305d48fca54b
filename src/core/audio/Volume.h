#pragma once

// The master volume as the user sets it, in percent, and the engine gain it gives.
namespace quom {

constexpr int kDefaultVolume = 80; // percent

constexpr float volumeGain(int percent) noexcept
{
    return static_cast<float>(percent) / 100.0f;
}

} // namespace quom
