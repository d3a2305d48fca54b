#pragma once

#include "core/audio/Engine.h"
#include "core/audio/Volume.h"

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
    float gain = volumeGain(kDefaultVolume);
};

// The threads renderPass uses by default: one per core, at least 2, at most 16.
int renderThreads() noexcept;

// The whole pass: 2 * passFrames interleaved floats, the same bits as one reset
// offline engine rendering it in one call. Notes still sounding at the end are cut
// there. Every step restarts or silences each track, so the columns are rendered
// apart: as many offline engines as threads (1 to 16; the calling thread runs one)
// take them in turn, each writing its columns' frames. Returns when all are done.
std::vector<float> renderPass(const Grid& pattern, std::shared_ptr<const CKit> kit,
    const PassSettings& settings, int threads = renderThreads());

// The Export command: stops and resets the live engine and mutes it for the export
// while a snapshot of its pattern is rendered with its kit, interpolation and gain,
// then unmutes and resets it again. Playback is not restarted. The live engine
// itself is never rendered here, so the audio callback goes on running meanwhile.
std::vector<float> renderPassOf(Engine& live, int tempo);

} // namespace quom
