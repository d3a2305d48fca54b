#include "support/SoundFiles.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace soundfiles {

bool write(const std::string& path, Type type, int rate, const std::vector<std::int16_t>& samples)
{
    int format = 0;
    switch (type) {
    case Type::Flac:
        format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
        break;
    case Type::OggVorbis:
        format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
        break;
    case Type::Opus:
        format = SF_FORMAT_OGG | SF_FORMAT_OPUS;
        break;
    case Type::Aiff:
        format = SF_FORMAT_AIFF | SF_FORMAT_PCM_16;
        break;
    case Type::Mp3:
        format = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
        break;
    }
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    const auto written = sf_writef_short(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    return sf_close(file) == 0 && written == static_cast<sf_count_t>(samples.size());
}

std::vector<std::int16_t> tones(int frames, int rate)
{
    std::vector<std::int16_t> samples(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double v = 0.3 * std::sin(2 * std::numbers::pi * 220 * t)
            + 0.2 * std::sin(2 * std::numbers::pi * 1250 * t);
        samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(std::lround(v * 32767));
    }
    return samples;
}

double bestCorrelation(std::span<const float> a, std::span<const float> b, int maxLag)
{
    double best = -1;
    for (int lag = -maxLag; lag <= maxLag; ++lag) {
        double ab = 0;
        double aa = 0;
        double bb = 0;
        for (std::size_t i = 0; i < a.size(); ++i) {
            const auto j = static_cast<std::ptrdiff_t>(i) + lag;
            if (j < 0 || j >= static_cast<std::ptrdiff_t>(b.size()))
                continue;
            const double x = a[i];
            const double y = b[static_cast<std::size_t>(j)];
            ab += x * y;
            aa += x * x;
            bb += y * y;
        }
        if (aa > 0 && bb > 0)
            best = std::max(best, ab / std::sqrt(aa * bb));
    }
    return best;
}

double toneFrequency(std::span<const float> samples, int playingRate)
{
    std::vector<std::size_t> rising;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        if (samples[i - 1] < 0 && samples[i] >= 0)
            rising.push_back(i);
    }
    if (rising.size() < 2)
        return 0;
    const double periods = static_cast<double>(rising.size() - 1);
    return periods * playingRate / static_cast<double>(rising.back() - rising.front());
}

} // namespace soundfiles
