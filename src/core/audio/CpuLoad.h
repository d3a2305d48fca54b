#pragma once

#include <cstdio>
#include <string>

namespace quom {

// The stream's CPU load (1.0 = a buffer took as long to compute as to play) as the
// whole percentage the window title shows: truncated, never rounded.
constexpr int cpuLoadPercent(double load) noexcept
{
    if (!(load > 0.0))
        return 0; // no stream, or an error code instead of a load
    return static_cast<int>((load < 100.0 ? load : 100.0) * 100.0);
}

inline std::string cpuLoadTitle(double load)
{
    char text[64];
    std::snprintf(text, sizeof text, "Quom 1.1  -  CPU load: %d%%", cpuLoadPercent(load));
    return text;
}

} // namespace quom
