#pragma once

#include <cstdint>

// The interpolation kernels shared by the per-frame reader (SampleReading.cpp) and the
// engine's span loops, so both produce the same bits. i < n and n > 0 always.
namespace quom {

inline float linearAt(const float* d, std::uint32_t n, std::uint32_t i, float f) noexcept
{
    const float x0 = d[i];
    const float x1 = i + 1 < n ? d[i + 1] : x0;
    return x0 + (x1 - x0) * f;
}

// Third-degree Lagrange through the points at -1, 0, 1, 2, evaluated at f.
inline float lagrangeAt(double xm1, float x0, float x1, double x2, float f) noexcept
{
    const float t = static_cast<float>(3.0 * x0 + x2);
    const float f2 = f * f;
    const float f3 = f2 * f;
    const double value = x0 + f3 * (t - (xm1 + 3.0 * x1)) / 6.0 + f2 * ((xm1 + x1) / 2.0 - x0)
        + f * (x1 - (2.0 * xm1 + t) / 6.0);
    return static_cast<float>(value);
}

// At the very start the left neighbour comes from the end of the sample; at the
// end the right neighbours repeat the current frame.
inline float quadraticAt(const float* d, std::uint32_t n, std::uint32_t i, float f) noexcept
{
    const float x0 = d[i];
    const float x1 = i + 1 < n ? d[i + 1] : x0;
    const double xm1 = i >= 1 ? d[i - 1] : d[n - 1];
    const double x2 = i + 2 < n ? d[i + 2] : x0;
    return lagrangeAt(xm1, x0, x1, x2, f);
}

} // namespace quom
