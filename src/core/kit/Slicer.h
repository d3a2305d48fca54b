#pragma once

#include "core/kit/Kit.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

// Cutting one long sample into kKitSlots equal slices written as wave files, one per
// kit slot. Runs on the window thread (or the command line); it only writes files.
namespace quom {

// Shorter sources are refused: every slice gets at least two frames.
inline constexpr std::size_t kMinSliceSourceFrames = 128;

// Slice index covers frames [begin, end) of a source of the given length.
struct SliceBounds {
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
};
SliceBounds sliceBounds(std::uint64_t frames, int index) noexcept;

using SlicePaths = std::array<std::string, kKitSlots>;

// FOLDER/NAME_kit01.wav .. FOLDER/NAME_kit64.wav, NAME being the source's file name
// without its last extension. Trailing '/' of folder are dropped ("/" stays the root).
SlicePaths slicePaths(const std::string& sourcePath, const std::string& folder);

enum class SliceFailure {
    None,
    TooShort, // fewer than kMinSliceSourceFrames frames; nothing was written
    Unwritable, // failedPath could not be written; no slice file was changed
};

struct SliceResult {
    SliceFailure failure = SliceFailure::None;
    SlicePaths paths; // the files written, in slot order, when nothing failed
    std::string failedPath; // Unwritable: the first slice that could not be written
    std::string error; // what went wrong, naming failedPath or, when too short, the source
    explicit operator bool() const noexcept { return failure == SliceFailure::None; }
};

// Called with each slice's path once its data is written.
using SliceProgress = std::function<void(const std::string& slicePath)>;

// Writes every slice of source (the first channel LoadWave read from sourcePath) as a
// 16-bit mono wave file at slicePaths(sourcePath, folder), normalised on its own peak,
// replacing files of those names. All or nothing: the slices are written beside their
// targets under temporary names and renamed into place only once every one of them was
// written; a failed write removes the temporaries and leaves existing files as they
// were. The folder must exist.
SliceResult writeSlices(std::span<const float> source, const std::string& sourcePath,
    const std::string& folder, const SliceProgress& progress = {});

} // namespace quom
