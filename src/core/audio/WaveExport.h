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

// While it lives, the live engine is stopped, reset and muted for an export, so the
// audio callback goes on running, silent, while the export renders on other engines;
// then it is unmuted and reset again. Playback is not restarted.
class MutedForExport {
public:
    explicit MutedForExport(Engine& live) noexcept;
    ~MutedForExport();
    MutedForExport(const MutedForExport&) = delete;
    MutedForExport& operator=(const MutedForExport&) = delete;

private:
    Engine& live_;
};

// A snapshot of the live engine's pattern rendered with its kit, interpolation and
// gain, the engine muted for it.
std::vector<float> renderPassOf(Engine& live, int tempo);

} // namespace quom
