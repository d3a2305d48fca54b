#pragma once

#include <ableton/Link.hpp>

// Link on the clock the audio back-ends stamp their blocks with (CLOCK_MONOTONIC), so a
// block's host time is a time on Link's timeline as it stands, with no conversion whose
// error would shift the beat. Link's own choice on Linux, CLOCK_MONOTONIC_RAW, differs
// from it by the NTP slew, up to half a millisecond a second.
namespace quom {

using MonotonicLink = ableton::BasicLink<ableton::platforms::linux::ClockMonotonic>;

// One bar of 4/4: peers agree on where the bar starts, so a 64-step pattern (4 bars)
// starts each of its bars on a bar of the session.
inline constexpr double kLinkQuantum = 4.0;

} // namespace quom
