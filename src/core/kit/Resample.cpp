#include "core/kit/Resample.h"

#include "core/io/SharedLibrary.h"
#include "core/kit/FileRate.h"

#include <soxr.h>

#include <cmath>
#include <limits>
#include <new>

namespace quom {
namespace {

struct Soxr {
    SharedLibrary library{"libsoxr.so.0"};
    decltype(&soxr_oneshot) oneshot = library.function<decltype(&soxr_oneshot)>("soxr_oneshot");
    decltype(&soxr_quality_spec) qualitySpec
        = library.function<decltype(&soxr_quality_spec)>("soxr_quality_spec");
    decltype(&soxr_io_spec) ioSpec = library.function<decltype(&soxr_io_spec)>("soxr_io_spec");

    bool usable() const noexcept { return oneshot && qualitySpec && ioSpec; }
};

const Soxr& soxr()
{
    static const Soxr library;
    return library;
}

} // namespace

ReadResult<std::vector<float>> resampleTo44100(
    std::span<const float> samples, std::uint32_t rate, const std::string& path)
{
    const Soxr& library = soxr();
    if (!library.usable())
        return ReadError{ReadFailure::Unsupported, path,
            "cannot play it at its own rate without libsoxr (" + library.library.failure() + ")"};
    if (samples.empty())
        return std::vector<float>{};
    const double frames = std::ceil(static_cast<double>(samples.size()) * kPlayingRate / rate);
    if (frames > std::numeric_limits<std::uint32_t>::max())
        return ReadError{ReadFailure::Unsupported, path, "too large: too long at 44100 Hz"};

    std::vector<float> resampled;
    try {
        resampled.resize(static_cast<std::size_t>(frames));
    } catch (const std::bad_alloc&) {
        return ReadError{ReadFailure::Unreadable, path, "not enough memory to resample it"};
    }
    const soxr_io_spec_t io = library.ioSpec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = library.qualitySpec(SOXR_VHQ, 0);
    std::size_t used = 0;
    std::size_t made = 0;
    const soxr_error_t error = library.oneshot(rate, kPlayingRate, 1, samples.data(), samples.size(), &used,
        resampled.data(), resampled.size(), &made, &io, &quality, nullptr);
    if (error)
        return ReadError{ReadFailure::Unsupported, path, std::string("cannot resample it: ") + error};
    resampled.resize(made);
    return resampled;
}

} // namespace quom
