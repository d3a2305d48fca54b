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
    // Integer samples scale into -1..1; a value outside would be a decoding slip.
    for (float s : wave->samples) {
        if (!(std::fabs(s) <= 1.0f))
            fuzzFailure("a sample outside -1..1");
    }
    return 0;
}
