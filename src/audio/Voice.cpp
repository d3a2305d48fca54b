#include "audio/Voice.h"

namespace quom {

float SampleAt(const CInstrument& instrument, float position, std::uint8_t mode) noexcept
{
    const std::uint32_t n = instrument.length;
    if (static_cast<double>(position) >= static_cast<double>(n) || position < 0.0f)
        return 0.0f;

    const float* d = instrument.data.data();
    const auto i = static_cast<std::uint32_t>(position);
    const float f = position - static_cast<float>(i);
    const float x0 = d[i];
    const float x1 = i + 1 < n ? d[i + 1] : x0;

    switch (static_cast<Interpolation>(mode)) {
    case Interpolation::Truncate:
        return x0;
    case Interpolation::Linear:
        return x0 + (x1 - x0) * f;
    case Interpolation::Quadratic: {
        const double xm1 = i >= 1 ? d[i - 1] : d[n - 1];
        const double x2 = i + 2 < n ? d[i + 2] : x0;
        const float t = static_cast<float>(3.0 * x0 + x2);
        const float f2 = f * f;
        const float f3 = f2 * f;
        const double value = x0 + f3 * (t - (xm1 + 3.0 * x1)) / 6.0 + f2 * ((xm1 + x1) / 2.0 - x0)
            + f * (x1 - (2.0 * xm1 + t) / 6.0);
        return static_cast<float>(value);
    }
    }
    return 0.0f;
}

float AdvancePosition(const CInstrument& instrument, float position, float ratio) noexcept
{
    position += ratio;
    const std::uint32_t n = instrument.length;
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
