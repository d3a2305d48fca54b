#include "core/audio/QueueClock.h"

#include <algorithm>

namespace quom {

void QueueClock::anchor(std::int64_t hostBefore, std::int64_t queueNanos, std::int64_t hostAfter) noexcept
{
    // The reading fell somewhere between the two: the middle errs least.
    const std::int64_t host = hostBefore + (hostAfter - hostBefore) / 2;
    offset_ = queueNanos - host;
    anchored_ = true;
}

std::int64_t QueueClock::queueTime(std::int64_t hostNanos) noexcept
{
    last_ = std::max(last_, hostNanos + offset_);
    return last_;
}

} // namespace quom
