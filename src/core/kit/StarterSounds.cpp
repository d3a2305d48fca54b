#include "core/kit/StarterSounds.h"

#include "core/kit/KitEdits.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace quom {
namespace {

constexpr double kRate = 44100.0;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr int kLowestNote = 36; // on row 63
constexpr int kLastRow = 63;

int framesOf(double seconds)
{
    return static_cast<int>(seconds * kRate);
}

// sin(2 pi cycles) from a table with linear interpolation: the pianos alone take some
// ten million sines, and the table's error (below -120 dB) lies far under the 16 bits
// the sounds are stored in.
double sine(double cycles) noexcept
{
    constexpr int kSize = 4096;
    static const std::array<double, kSize + 1> kTable = [] {
        std::array<double, kSize + 1> table{};
        for (int i = 0; i <= kSize; ++i)
            table[i] = std::sin(kTwoPi * i / kSize);
        return table;
    }();
    const double x = (cycles - std::floor(cycles)) * kSize;
    // A tiny negative cycles rounds up to a whole turn: read it as the last entry.
    const int i = std::min(static_cast<int>(x), kSize - 1);
    return kTable[i] + (x - i) * (kTable[i + 1] - kTable[i]);
}

// An exponential decay from 1, one frame per call, falling to 1/e in `seconds`.
class Decay {
public:
    explicit Decay(double seconds)
        : factor_(std::exp(-1.0 / (seconds * kRate)))
    {
    }

    double operator()() noexcept
    {
        const double v = value_;
        value_ *= factor_;
        return v;
    }

private:
    double factor_;
    double value_ = 1.0;
};

// xorshift32: noise of the synthesis's own, so the kit comes out the same bytes whatever
// else has drawn random numbers.
class Noise {
public:
    explicit Noise(std::uint32_t seed)
        : state_(seed)
    {
    }

    double operator()() noexcept
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state_;
};

// The audio cookbook's biquads, transposed direct form II.
class Biquad {
public:
    static Biquad lowPass(double hz, double q) { return make(hz, q, Kind::Low); }
    static Biquad highPass(double hz, double q) { return make(hz, q, Kind::High); }
    // Unity gain at hz.
    static Biquad bandPass(double hz, double q) { return make(hz, q, Kind::Band); }

    double operator()(double x) noexcept
    {
        const double y = b0_ * x + z1_;
        z1_ = b1_ * x - a1_ * y + z2_;
        z2_ = b2_ * x - a2_ * y;
        return y;
    }

private:
    enum class Kind { Low, High, Band };

    static Biquad make(double hz, double q, Kind kind)
    {
        const double w = kTwoPi * hz / kRate;
        const double cosW = std::cos(w);
        const double alpha = std::sin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        Biquad f;
        switch (kind) {
        case Kind::Low:
            f.b0_ = f.b2_ = (1.0 - cosW) / 2.0 / a0;
            f.b1_ = (1.0 - cosW) / a0;
            break;
        case Kind::High:
            f.b0_ = f.b2_ = (1.0 + cosW) / 2.0 / a0;
            f.b1_ = -(1.0 + cosW) / a0;
            break;
        case Kind::Band:
            f.b0_ = alpha / a0;
            f.b1_ = 0.0;
            f.b2_ = -alpha / a0;
            break;
        }
        f.a1_ = -2.0 * cosW / a0;
        f.a2_ = (1.0 - alpha) / a0;
        return f;
    }

    double b0_ = 1.0, b1_ = 0.0, b2_ = 0.0, a1_ = 0.0, a2_ = 0.0;
    double z1_ = 0.0, z2_ = 0.0;
};

// A square wave with its steps smoothed by polynomial band-limited steps, so that
// harmonics past the Nyquist frequency do not fold back as stray tones.
class Square {
public:
    Square(double hz, double phase)
        : step_(hz / kRate)
        , phase_(phase)
    {
    }

    double operator()() noexcept
    {
        double half = phase_ + 0.5;
        if (half >= 1.0)
            half -= 1.0;
        const double v = (phase_ < 0.5 ? 1.0 : -1.0) + blep(phase_) - blep(half);
        phase_ += step_;
        if (phase_ >= 1.0)
            phase_ -= 1.0;
        return v;
    }

private:
    double blep(double t) const noexcept
    {
        if (t < step_) {
            t /= step_;
            return t + t - t * t - 1.0;
        }
        if (t > 1.0 - step_) {
            t = (t - 1.0) / step_;
            return t * t + t + t + 1.0;
        }
        return 0.0;
    }

    double step_;
    double phase_;
};

// A sine whose frequency may change on every frame (the pitch sweeps of drums).
class Sweep {
public:
    double operator()(double hz) noexcept
    {
        const double v = sine(cycles_);
        cycles_ += hz / kRate;
        return v;
    }

private:
    double cycles_ = 0.0;
};

// Six square waves at unrelated frequencies: their sum has the dense, inharmonic
// spectrum of struck metal, the classic drum machine's cymbal source.
class Metal {
public:
    explicit Metal(double scale)
    {
        constexpr std::array kHz{205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
        for (std::size_t i = 0; i < kHz.size(); ++i)
            squares_.emplace_back(kHz[i] * scale, 0.13 * static_cast<double>(i));
    }

    double operator()() noexcept
    {
        double sum = 0.0;
        for (Square& s : squares_)
            sum += s();
        return sum / static_cast<double>(squares_.size());
    }

private:
    std::vector<Square> squares_;
};

// Raised-cosine fades at both ends: the attack keeps a sound from starting with a step
// (a click), the release brings whatever is left of a tail down to silence instead of
// cutting it.
void fadeEnds(std::vector<float>& s, double attackSeconds, double releaseSeconds)
{
    const int n = static_cast<int>(s.size());
    const int attack = framesOf(attackSeconds);
    const int release = framesOf(releaseSeconds);
    for (int i = 0; i < attack && i < n; ++i)
        s[i] *= static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * i / attack));
    for (int i = 0; i < release && i < n; ++i)
        s[n - 1 - i] *= static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * i / release));
}

std::vector<float> kick()
{
    std::vector<float> s(framesOf(0.5));
    Sweep body;
    Noise noise(1);
    Biquad beater = Biquad::lowPass(4000.0, 0.7);
    Decay punch(0.004), boom(0.04), level(0.16), click(0.003);
    for (float& v : s) {
        // A fast drop gives the punch, a slower one the boom settling at 48 Hz.
        const double tone = body(48.0 + 110.0 * boom() + 300.0 * punch()) * level();
        // Gentle saturation thickens the body without flattening its peak.
        v = static_cast<float>(std::tanh(1.4 * (tone + 0.3 * beater(noise()) * click())));
    }
    fadeEnds(s, 0.001, 0.1);
    return s;
}

std::vector<float> snare()
{
    std::vector<float> s(framesOf(0.35));
    Sweep low, high;
    Noise noise(2);
    Biquad wiresHigh = Biquad::highPass(1200.0, 0.7);
    Biquad wiresLow = Biquad::lowPass(9000.0, 0.7);
    Decay drop(0.01), lowLevel(0.06), highLevel(0.04), wiresLevel(0.12);
    for (float& v : s) {
        const double pitch = 1.0 + 0.4 * drop();
        const double shell = 0.6 * low(185.0 * pitch) * lowLevel() + 0.35 * high(330.0 * pitch) * highLevel();
        const double wires = wiresLow(wiresHigh(noise())) * wiresLevel();
        // Saturation brings the wires up to the shell, as a compressor would.
        v = static_cast<float>(std::tanh(1.4 * (shell + wires)));
    }
    fadeEnds(s, 0.001, 0.08);
    return s;
}

std::vector<float> clap()
{
    std::vector<float> s(framesOf(0.45));
    Noise noise(3);
    Biquad band = Biquad::bandPass(1100.0, 1.2);
    Biquad high = Biquad::highPass(600.0, 0.7);
    // Several hands a few milliseconds apart, then the room.
    const std::array kStarts{0, framesOf(0.011), framesOf(0.022), framesOf(0.034)};
    std::array hands{Decay(0.004), Decay(0.004), Decay(0.004), Decay(0.1)};
    for (int i = 0; i < static_cast<int>(s.size()); ++i) {
        double envelope = 0.0;
        for (std::size_t h = 0; h < hands.size(); ++h) {
            if (i >= kStarts[h])
                envelope += hands[h]();
        }
        s[i] = static_cast<float>(high(band(noise())) * envelope);
    }
    fadeEnds(s, 0.001, 0.1);
    return s;
}

std::vector<float> hat(double decaySeconds, double length, std::uint32_t seed)
{
    std::vector<float> s(framesOf(length));
    Metal metal(1.0);
    Noise noise(seed);
    Biquad band = Biquad::bandPass(10000.0, 1.0);
    Biquad high = Biquad::highPass(7000.0, 0.7);
    Decay level(decaySeconds);
    for (float& v : s)
        v = static_cast<float>(high(band(metal() + 0.3 * noise())) * level());
    fadeEnds(s, 0.001, length * 0.3);
    return s;
}

// Metal and noise above highPassHz, not yet faded: accent is the share of the stick's
// short burst, the rest the wash.
std::vector<float> cymbalWash(
    double scale, double highPassHz, double accent, double decaySeconds, std::uint32_t seed)
{
    std::vector<float> s(framesOf(1.0));
    Metal metal(scale);
    Noise noise(seed);
    Biquad high = Biquad::highPass(highPassHz, 0.7);
    Biquad air = Biquad::lowPass(14000.0, 0.7);
    Decay stick(0.01), wash(decaySeconds);
    for (float& v : s) {
        const double envelope = accent * stick() + (1.0 - accent) * wash();
        v = static_cast<float>(air(high(metal() + 0.5 * noise())) * envelope);
    }
    return s;
}

std::vector<float> crash()
{
    std::vector<float> s = cymbalWash(1.47, 3000.0, 0.3, 0.35, 7);
    fadeEnds(s, 0.002, 0.35);
    return s;
}

// What sets a ride apart from a crash is its ping: a few inharmonic modes of the
// plate that ring over a quieter wash.
std::vector<float> ride()
{
    std::vector<float> s = cymbalWash(2.1, 5000.0, 0.5, 0.45, 8);
    constexpr std::array kModeHz{3100.0, 4250.0, 5730.0, 7210.0};
    Decay ping(0.3);
    for (int i = 0; i < static_cast<int>(s.size()); ++i) {
        double bell = 0.0;
        for (std::size_t m = 0; m < kModeHz.size(); ++m)
            bell += sine(kModeHz[m] * i / kRate) / static_cast<double>(m + 1);
        s[i] += static_cast<float>(0.12 * bell * ping());
    }
    fadeEnds(s, 0.002, 0.35);
    return s;
}

std::vector<float> rim()
{
    std::vector<float> s(framesOf(0.12));
    Sweep low, high;
    Biquad cut = Biquad::highPass(300.0, 0.7);
    Decay lowLevel(0.012), highLevel(0.018);
    for (float& v : s) {
        const double ring = 0.7 * low(455.0) * lowLevel() + high(1667.0) * highLevel();
        v = static_cast<float>(std::tanh(1.2 * cut(ring)));
    }
    fadeEnds(s, 0.001, 0.04);
    return s;
}

// A membrane: its fundamental drops in pitch as the head relaxes after the hit, a
// higher mode dies faster, and a short noise burst is the stick.
std::vector<float> tom(double hz, double decaySeconds, double length, std::uint32_t seed)
{
    std::vector<float> s(framesOf(length));
    Sweep fundamental, overtone;
    Noise noise(seed);
    Biquad stick = Biquad::lowPass(5000.0, 0.7);
    Decay drop(0.05), level(decaySeconds), overtoneLevel(decaySeconds * 0.4), stickLevel(0.006);
    for (float& v : s) {
        const double pitch = hz * (1.0 + 0.5 * drop());
        const double head = fundamental(pitch) * level() + 0.3 * overtone(1.59 * pitch) * overtoneLevel();
        v = static_cast<float>(head + 0.25 * stick(noise()) * stickLevel());
    }
    fadeEnds(s, 0.001, length * 0.3);
    return s;
}

std::vector<float> shaker()
{
    std::vector<float> s(framesOf(0.2));
    Noise noise(11);
    Biquad high = Biquad::highPass(5000.0, 0.7);
    Biquad band = Biquad::bandPass(8000.0, 1.5);
    // Beads swell, then settle: x^2 e^(2 - 2x) peaks at 1 when x = t / kPeak is 1.
    constexpr double kPeak = 0.025;
    Decay settle(kPeak / 2.0);
    for (int i = 0; i < static_cast<int>(s.size()); ++i) {
        const double x = i / (kPeak * kRate);
        s[i] = static_cast<float>(band(high(noise())) * x * x * std::exp(2.0) * settle());
    }
    fadeEnds(s, 0.001, 0.05);
    return s;
}

std::vector<float> tambourine()
{
    std::vector<float> s(framesOf(0.4));
    Noise noise(12);
    Biquad high = Biquad::highPass(6000.0, 0.7);
    // Jingles: a few inharmonic modes, rattled by the noise; a second shake follows.
    constexpr std::array kJingleHz{5200.0, 6750.0, 7900.0, 9300.0, 11400.0};
    std::array<Sweep, kJingleHz.size()> jingles{};
    const int second = framesOf(0.015);
    Decay first(0.09), again(0.05);
    for (int i = 0; i < static_cast<int>(s.size()); ++i) {
        double ring = 0.0;
        for (std::size_t j = 0; j < jingles.size(); ++j)
            ring += jingles[j](kJingleHz[j]);
        const double rattle = high(noise());
        const double envelope = first() + (i >= second ? 0.5 * again() : 0.0);
        s[i] = static_cast<float>((0.15 * ring * (0.5 + rattle) + rattle) * envelope);
    }
    fadeEnds(s, 0.001, 0.1);
    return s;
}

std::vector<float> cowbell()
{
    std::vector<float> s(framesOf(0.4));
    Square low(540.0, 0.0), high(800.0, 0.0);
    Biquad band = Biquad::bandPass(1000.0, 0.8);
    Decay strike(0.012), ring(0.14);
    for (float& v : s)
        v = static_cast<float>(band(low() + high()) * (0.3 * strike() + 0.7 * ring()));
    fadeEnds(s, 0.001, 0.1);
    return s;
}

std::vector<float> conga()
{
    std::vector<float> s(framesOf(0.4));
    Sweep head, overtone;
    Noise noise(15);
    Biquad slap = Biquad::bandPass(2500.0, 1.0);
    Decay drop(0.02), level(0.09), overtoneLevel(0.03), slapLevel(0.003);
    for (float& v : s) {
        const double tone
            = head(330.0 * (1.0 + 0.08 * drop())) * level() + 0.25 * overtone(2.3 * 330.0) * overtoneLevel();
        v = static_cast<float>(tone + 0.3 * slap(noise()) * slapLevel());
    }
    fadeEnds(s, 0.001, 0.1);
    return s;
}

std::vector<float> clave()
{
    std::vector<float> s(framesOf(0.2));
    Sweep wood, overtone;
    Decay level(0.025), overtoneLevel(0.01);
    for (float& v : s)
        v = static_cast<float>(wood(2500.0) * level() + 0.2 * overtone(5400.0) * overtoneLevel());
    fadeEnds(s, 0.001, 0.05);
    return s;
}

// Two-operator FM in the manner of the classic digital electric piano: a body pair at
// ratio 1:1 whose brightness fades after the strike, and a "tine" pair whose modulator
// at 14 times the pitch gives the bell-like ping of the attack. Every ratio is whole,
// so every partial is a harmonic of the note. Two bodies a cent apart give a slow
// chorus. Indices are in cycles (radians / 2 pi).
std::vector<float> electricPiano(int note)
{
    const double hz = 440.0 * std::pow(2.0, (note - 69) / 12.0);
    const double key = (note - kLowestNote) / 47.0; // 0 at the bottom, 1 at the top
    const double bodyIndex = (1.3 - 0.7 * key) / kTwoPi; // bright bass, mellow treble
    const double tineIndex = (1.2 - 0.7 * key) / kTwoPi; // high tines would alias
    const double halfCent = std::pow(2.0, 0.5 / 1200.0);
    std::vector<float> s(framesOf(1.0));
    Decay brightness(0.3), tineBrightness(0.05), tineLevel(0.12), strike(0.07);
    Decay ring(0.9 - 0.45 * key); // low notes ring longer
    for (int i = 0; i < static_cast<int>(s.size()); ++i) {
        const double cycles = hz * i / kRate;
        const double index = bodyIndex * brightness() + 0.25 / kTwoPi;
        const double flat = cycles / halfCent;
        const double sharp = cycles * halfCent;
        const double body = 0.5 * sine(flat + index * sine(flat)) + 0.5 * sine(sharp + index * sine(sharp));
        const double tine = sine(cycles + tineIndex * tineBrightness() * sine(14.0 * cycles)) * tineLevel();
        s[i] = static_cast<float>((body + 0.4 * tine) * (0.45 * strike() + 0.55 * ring()));
    }
    fadeEnds(s, 0.002, 0.3);
    return s;
}

constexpr std::array<const char*, kStarterDrumRows> kDrumNames{"kick", "snare", "clap", "closed-hat",
    "open-hat", "rim", "crash", "ride", "low-tom", "mid-tom", "high-tom", "shaker", "tambourine", "cowbell",
    "conga", "clave"};

int noteOf(int row)
{
    return kLowestNote + kLastRow - row;
}

} // namespace

std::vector<float> starterSound(int row)
{
    switch (row) {
    case 0:
        return kick();
    case 1:
        return snare();
    case 2:
        return clap();
    case 3:
        return hat(0.045, 0.2, 4);
    case 4:
        return hat(0.22, 0.8, 5);
    case 5:
        return rim();
    case 6:
        return crash();
    case 7:
        return ride();
    case 8:
        return tom(95.0, 0.22, 0.7, 9);
    case 9:
        return tom(135.0, 0.18, 0.6, 10);
    case 10:
        return tom(190.0, 0.15, 0.5, 11);
    case 11:
        return shaker();
    case 12:
        return tambourine();
    case 13:
        return cowbell();
    case 14:
        return conga();
    case 15:
        return clave();
    default:
        return electricPiano(noteOf(row));
    }
}

std::string starterSoundName(int row)
{
    if (row < kStarterDrumRows)
        return kDrumNames[row];
    return "epiano-" + keyName(*starterRootKey(row));
}

std::optional<std::uint8_t> starterRootKey(int row)
{
    if (row < kStarterDrumRows)
        return std::nullopt;
    return static_cast<std::uint8_t>(noteOf(row));
}

} // namespace quom
