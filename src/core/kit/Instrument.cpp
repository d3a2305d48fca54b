#include "core/kit/Instrument.h"

#include "core/io/WaveReader.h"

#include <utility>

namespace quom {

bool CInstrument::LoadWave(const std::string& path)
{
    rootKey = 60;
    auto wave = readWave(path);
    if (!wave)
        return false;
    data = std::move(wave->samples);
    rootKey = wave->rootKey;
    return true;
}

} // namespace quom
