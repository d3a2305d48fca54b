#pragma once

#include "core/audio/Engine.h"

#include <cstdint>
#include <memory>
#include <vector>

// One pass of the current pattern rendered offline, for the Export command and for
// quom render. Window thread.
namespace quom {

// Frames in one pass of the 64 columns: 64 steps of 10584000 / (16 * tempo) frames
// taken together, 42336000 / tempo. The tempo is taken into the slider's range.
std::uint32_t passFrames(int tempo) noexcept;

struct PassSettings {
    int tempo = kDefaultTempo;
    std::uint8_t interpolation = static_cast<std::uint8_t>(Interpolation::Linear);
    float gain = 0.8f;
};

// A reset engine of its own, in offline mode, renders the whole pass in one call:
// 2 * passFrames interleaved floats. Notes still sounding at the end are cut there.
std::vector<float> renderPass(
    const LiveGrid& pattern, std::shared_ptr<const CKit> kit, const PassSettings& settings);

// What the Export command does to the live engine around the render: it stops and
// resets it and keeps the audio callback silent (offlineRender) while the pass is
// rendered from the live engine's pattern, kit, interpolation and gain, then
// resets it again. Playback is not restarted. The live engine itself is never
// rendered here, so the audio thread can go on calling it meanwhile.
std::vector<float> renderPassOf(Engine& live, int tempo);

} // namespace quom
