#pragma once

#include "core/audio/SampleReading.h"
#include "core/audio/Volume.h"
#include "core/kit/Kit.h"
#include "core/model/Cell.h"
#include "core/model/SongPasses.h"
#include "core/model/Tempo.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// Passes of patterns rendered offline one after the other, as a loop plays them: each
// pass at its own pattern's tempo, 64 steps of framesPerStep frames. Window thread.
namespace quom {

// Frames in one pass of the 64 columns: 64 steps of 10584000 / (16 * tempo) frames
// taken together, 42336000 / tempo. The tempo is taken into the slider's range.
std::uint32_t passFrames(int tempo) noexcept;

// The frames a render of passes holds: the passes' steps, then the run-on that makes
// the last pass as long as passFrames of its tempo (the next pass of the loop, its
// first pass, sounds there). Empty passes: 0.
std::uint64_t loopFrames(const LoopPasses& passes) noexcept;

struct LoopSettings {
    std::uint8_t interpolation = static_cast<std::uint8_t>(Interpolation::Linear);
    float gain = volumeGain(kDefaultVolume);
};

// The threads a render uses by default: one per core, at least 2, at most 16.
int renderThreads() noexcept;

// 2 * loopFrames interleaved floats: the same bits as one offline engine per pattern
// playing its steps where they fall. Every step restarts or silences each track, so
// nothing of one step rings into the next and the steps are rendered apart: as many
// engines per pattern as threads (1 to 16; the calling thread is one) take them in
// turn, each writing its own step's frames. patterns must hold every pattern passes
// name, each at one tempo throughout (the last given). Returns when all are done, or,
// once stop (when given) is set from another thread, as soon as the steps being
// rendered are: the buffer is then incomplete, for the caller to throw away.
std::vector<float> renderLoop(std::span<const Grid> patterns, const LoopPasses& passes,
    std::shared_ptr<const CKit> kit, const LoopSettings& settings, int threads = renderThreads(),
    const std::atomic<bool>* stop = nullptr);

} // namespace quom
