#pragma once

#include "core/audio/LoopRender.h"
#include "core/io/AtomicFile.h"

#include <span>
#include <string>
#include <vector>

// Stems: the passes rendered once for each row (or each of the kit's 16-row blocks) on
// its own, one stereo wave file each, sample-aligned with the mix. Window thread.
namespace quom {

enum class StemGrouping { Rows, Blocks };

// 32-bit float at the engine's level, or 16-bit normalised by the mix's peak: either
// way the stems added together give the mix.
enum class StemFormat { Float, Pcm16 };

// Rows firstRow .. firstRow + rowCount - 1.
struct StemPart {
    int firstRow = 0;
    int rowCount = 1;
};

// The rows, or blocks, that hold a painted cell in a pattern the passes play.
std::vector<StemPart> stemParts(
    std::span<const Grid> patterns, const LoopPasses& passes, StemGrouping grouping);

// "07-snare.wav": the row counted from 01 and its sample's file name without folder or
// extension, every character but ASCII letters, digits, '-', '_' and '.' made '_';
// "rows-17-32.wav" for a block.
std::string stemFileName(const StemPart& part, const CKit& kit);

// The passes as renderLoop renders them (stop too), with every row outside part silent.
std::vector<float> renderStem(std::span<const Grid> patterns, const LoopPasses& passes, const StemPart& part,
    std::shared_ptr<const CKit> kit, const LoopSettings& settings, int threads = renderThreads(),
    const std::atomic<bool>* stop = nullptr);

struct StemsWritten {
    WriteResult result;
    std::vector<std::string> files; // written, in row order
    bool stopped = false; // stop was set: files holds those written before it
    // What the mix is normalised by for the 16-bit stems to add up to it: its own peak,
    // or a stem's when parts cancel in the mix and that stem is louder.
    float mixPeak = 0.0f;
};

// Writes the stems of the parts that sound into folder (which must exist), their
// renders taken on all cores. mix: the stereo render of the passes with the settings;
// a null kit stands for an empty one.
// Stops at the first file that cannot be written, reporting it, and, once stop (when
// given) is set from another thread, after the files being written.
StemsWritten writeStems(const std::string& folder, std::span<const Grid> patterns, const LoopPasses& passes,
    std::shared_ptr<const CKit> kit, const LoopSettings& settings, StemGrouping grouping, StemFormat format,
    std::span<const float> mix, const std::atomic<bool>* stop = nullptr);

} // namespace quom
