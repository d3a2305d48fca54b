// Wave files, as the kit and the command line read them.
#include "FuzzFile.h"

#include "core/io/WaveReader.h"

#include <cmath>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto wave = quom::decodeWave(std::span(data, size), "fuzz.wav");
    if (!wave)
        return 0;
    // Integer samples scale into -1..1 and float ones may go beyond, but an infinity or
    // a NaN must never reach the mix.
    for (float s : wave->samples) {
        if (!std::isfinite(s))
            fuzzFailure("a sample that is not a finite number");
    }
    return 0;
}
