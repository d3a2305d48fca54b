// Reads 16-bit PCM wave files for the end-to-end tests and prints what they hold.
//
//   quom_waveprobe info FILE          channels=C rate=R bits=B frames=N peak=P first=F
//                                     (P the largest magnitude, F the first frame that is
//                                     not silent, -1 when all is silence)
//   quom_waveprobe onsets FILE GAP    the frames where sound starts after at least GAP
//                                     frames of digital silence, one per line
//   quom_waveprobe same A B           exit 0 when B holds A's sound sample for sample,
//                                     each aligned at its first sound (within one step
//                                     of 16 bits: converters may round differently)
//
// Exit status 1 when a file cannot be read (or for "same", when they differ).

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Wave {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<std::int16_t> samples; // interleaved
    std::size_t frames() const { return channels ? samples.size() / channels : 0; }
    bool silentFrame(std::size_t frame) const
    {
        for (int c = 0; c < channels; ++c) {
            if (samples[frame * channels + c] != 0)
                return false;
        }
        return true;
    }
};

std::uint32_t le(const std::vector<unsigned char>& b, std::size_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | b[at + i];
    return v;
}

std::optional<Wave> readWave(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> b{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF"
        || std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
        return std::nullopt;
    Wave w;
    bool haveData = false;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::string id(b.begin() + at, b.begin() + at + 4);
        const std::size_t size = le(b, at + 4, 4);
        const std::size_t body = at + 8;
        const std::size_t end = std::min(b.size(), body + size);
        if (id == "fmt " && end - body >= 16) {
            if (le(b, body, 2) != 1)
                return std::nullopt; // PCM only
            w.channels = static_cast<int>(le(b, body + 2, 2));
            w.rate = static_cast<int>(le(b, body + 4, 4));
            w.bits = static_cast<int>(le(b, body + 14, 2));
        } else if (id == "data") {
            for (std::size_t i = body; i + 1 < end; i += 2)
                w.samples.push_back(static_cast<std::int16_t>(le(b, i, 2)));
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    if (!haveData || w.bits != 16 || w.channels <= 0)
        return std::nullopt;
    return w;
}

long firstSound(const Wave& w)
{
    for (std::size_t f = 0; f < w.frames(); ++f) {
        if (!w.silentFrame(f))
            return static_cast<long>(f);
    }
    return -1;
}

int usage()
{
    std::fprintf(stderr, "usage: quom_waveprobe info FILE | onsets FILE GAP | same A B\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return usage();
    const std::string command = argv[1];
    const auto wave = readWave(argv[2]);
    if (!wave) {
        std::fprintf(stderr, "quom_waveprobe: cannot read %s as 16-bit PCM wave\n", argv[2]);
        return 1;
    }

    if (command == "info" && argc == 3) {
        int peak = 0;
        for (std::int16_t s : wave->samples)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        std::printf("channels=%d rate=%d bits=%d frames=%zu peak=%d first=%ld\n", wave->channels, wave->rate,
            wave->bits, wave->frames(), peak, firstSound(*wave));
        return 0;
    }
    if (command == "onsets" && argc == 4) {
        const std::size_t gap = std::strtoul(argv[3], nullptr, 10);
        std::size_t silent = gap; // the file's start counts as silence
        for (std::size_t f = 0; f < wave->frames(); ++f) {
            if (wave->silentFrame(f)) {
                ++silent;
                continue;
            }
            if (silent >= gap)
                std::printf("%zu\n", f);
            silent = 0;
        }
        return 0;
    }
    if (command == "same" && argc == 4) {
        const auto other = readWave(argv[3]);
        if (!other || other->channels != wave->channels) {
            std::fprintf(stderr, "quom_waveprobe: cannot compare with %s\n", argv[3]);
            return 1;
        }
        const long a = firstSound(*wave), b = firstSound(*other);
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "quom_waveprobe: no sound to compare\n");
            return 1;
        }
        const std::size_t frames = std::min(wave->frames() - a, other->frames() - b);
        for (std::size_t f = 0; f < frames; ++f) {
            for (int c = 0; c < wave->channels; ++c) {
                const int x = wave->samples[(a + f) * wave->channels + c];
                const int y = other->samples[(b + f) * other->channels + c];
                if (std::abs(x - y) > 1) {
                    std::fprintf(stderr, "differ at frame %zu channel %d: %d vs %d\n", f, c, x, y);
                    return 1;
                }
            }
        }
        std::printf("same for %zu frames\n", frames);
        return 0;
    }
    return usage();
}
