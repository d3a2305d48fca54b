#include "core/io/WriteSignals.h"

#include <csignal>

namespace quom {

void ignoreWriteSignals() noexcept
{
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace quom
