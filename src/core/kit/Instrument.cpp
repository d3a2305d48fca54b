#include "core/kit/Instrument.h"

#include "core/io/SampleFile.h"
#include "core/kit/Resample.h"

#include <utility>

namespace quom {

ReadStatus CInstrument::LoadWave(const std::string& path, FileRate rate)
{
    rootKey = 60;
    auto sample = readSampleFile(path);
    if (!sample)
        return sample.error();
    if (rate == FileRate::Own && resamplesAtOwnRate(sample->sampleRate)) {
        auto resampled = resampleTo44100(sample->samples, sample->sampleRate, path);
        if (!resampled)
            return resampled.error();
        sample->samples = std::move(*resampled);
    }
    data = std::move(sample->samples);
    rootKey = sample->rootKey;
    fileRate = sample->sampleRate;
    return std::monostate{};
}

} // namespace quom
