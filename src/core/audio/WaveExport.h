#pragma once

#include "core/audio/Engine.h"
#include "core/audio/LoopRender.h"

#include <cstdint>
#include <memory>
#include <vector>

// One pass of the current pattern rendered offline, for the Export command and for
// quom render. Window thread.
namespace quom {

struct PassSettings {
    int tempo = kDefaultTempo;
    std::uint8_t interpolation = static_cast<std::uint8_t>(Interpolation::Linear);
    float gain = volumeGain(kDefaultVolume);
};

// The whole pass: 2 * passFrames interleaved floats, the same bits as one reset
// offline engine rendering it in one call. Notes still sounding at the end are cut
// there: renderLoop of the one pass.
std::vector<float> renderPass(const Grid& pattern, std::shared_ptr<const CKit> kit,
    const PassSettings& settings, int threads = renderThreads());

// The Export command: stops and resets the live engine and mutes it for the export
// while a snapshot of its pattern is rendered with its kit, interpolation and gain,
// then unmutes and resets it again. Playback is not restarted. The live engine
// itself is never rendered here, so the audio callback goes on running meanwhile.
std::vector<float> renderPassOf(Engine& live, int tempo);

} // namespace quom
