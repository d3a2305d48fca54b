#include "core/audio/SampleReading.h"

#include "core/audio/Interpolate.h"

namespace quom {

float SampleAt(const CInstrument& instrument, float position, std::uint8_t mode) noexcept
{
    const std::uint32_t n = instrument.length();
    if (static_cast<double>(position) >= static_cast<double>(n) || position < 0.0f)
        return 0.0f;

    const float* d = instrument.data.data();
    const auto i = static_cast<std::uint32_t>(position);
    const float f = position - static_cast<float>(i);

    switch (static_cast<Interpolation>(mode)) {
    case Interpolation::Truncate:
        return d[i];
    case Interpolation::Linear:
        return linearAt(d, n, i, f);
    case Interpolation::Quadratic:
        return quadraticAt(d, n, i, f);
    }
    return 0.0f;
}

float AdvancePosition(const CInstrument& instrument, float position, float ratio) noexcept
{
    position += ratio;
    const std::uint32_t n = instrument.length();
    if (instrument.loop && n != 0) {
        const auto length = static_cast<float>(n);
        while (position >= length)
            position -= length;
        while (position < 0.0f)
            position += length;
    }
    return position;
}

} // namespace quom
