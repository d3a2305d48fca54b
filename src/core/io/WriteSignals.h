#pragma once

// Failed writes are reported, not fatal: without this a FIFO whose reader went away
// (SIGPIPE) or a file grown past the size limit of `ulimit -f` (SIGXFSZ) ends the
// process, leaving a temporary file beside the target. Ignored, they make the write
// fail with EPIPE or EFBIG, which the writers report and clean up after. Programs call
// it once at start; the dispositions pass on to the programs they execute.
namespace quom {

void ignoreWriteSignals() noexcept;

} // namespace quom
