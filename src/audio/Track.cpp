#include "audio/Track.h"

#include "audio/Interpolate.h"
#include "audio/Voice.h"

#include <cmath>
#include <limits>

namespace quom {
namespace {

constexpr int kFadeFrames = 20;

// The smallest float at or above n: a float position p is past the end of an
// n-frame sample exactly when p >= pastEnd(n).
float pastEnd(std::uint32_t n) noexcept
{
    float f = static_cast<float>(n);
    if (static_cast<double>(f) < static_cast<double>(n))
        f = std::nextafter(f, std::numeric_limits<float>::infinity());
    return f;
}

float fadeScale(float s, int count, int samplesPerStep) noexcept
{
    if (count < kFadeFrames)
        return s * static_cast<float>(count) / static_cast<float>(kFadeFrames);
    if (count > samplesPerStep - kFadeFrames)
        return s * static_cast<float>(samplesPerStep - count) / static_cast<float>(kFadeFrames);
    return s;
}

struct Span {
    const float* data;
    std::uint32_t length;
    float end; // pastEnd(length)
    float wrap; // the loop length as AdvancePosition wraps it
    float left; // 1 - pan
    float right; // pan
};

// The per-frame definition (read, advance, fade, pan), specialised so the mode,
// loop and fade tests leave the inner loop.
template <Interpolation M, bool Loop, bool Fade>
float mixLoop(const Span& sp, float position, float ratio, float volume, int count, int samplesPerStep,
    int frames, float* accL, float* accR) noexcept
{
    for (int k = 0; k < frames; ++k) {
        float s = 0.0f;
        if (position < sp.end) {
            const auto i = static_cast<std::uint32_t>(position);
            const float f = position - static_cast<float>(i);
            if constexpr (M == Interpolation::Truncate)
                s = sp.data[i];
            else if constexpr (M == Interpolation::Linear)
                s = linearAt(sp.data, sp.length, i, f);
            else
                s = quadraticAt(sp.data, sp.length, i, f);
        }
        position += ratio;
        if constexpr (Loop) {
            while (position >= sp.wrap)
                position -= sp.wrap;
            while (position < 0.0f)
                position += sp.wrap;
        }
        if constexpr (Fade)
            s = fadeScale(s, count + k, samplesPerStep);
        const float v = volume * s;
        accL[k] += v * sp.left;
        accR[k] += v * sp.right;
    }
    return position;
}

template <Interpolation M, bool Loop>
float mixRamped(const Span& sp, float position, float ratio, float volume, bool fade, int count,
    int samplesPerStep, int frames, float* accL, float* accR) noexcept
{
    if (!fade)
        return mixLoop<M, Loop, false>(
            sp, position, ratio, volume, count, samplesPerStep, frames, accL, accR);
    // Only the frames near the step's ends are ramped; the middle runs plain.
    const int end = count + frames;
    const int plainFrom = std::max(count, std::min(end, kFadeFrames));
    const int plainTo = std::max(plainFrom, std::min(end, samplesPerStep - kFadeFrames + 1));
    position = mixLoop<M, Loop, true>(
        sp, position, ratio, volume, count, samplesPerStep, plainFrom - count, accL, accR);
    const int head = plainFrom - count;
    position = mixLoop<M, Loop, false>(sp, position, ratio, volume, plainFrom, samplesPerStep,
        plainTo - plainFrom, accL + head, accR + head);
    const int mid = plainTo - count;
    return mixLoop<M, Loop, true>(
        sp, position, ratio, volume, plainTo, samplesPerStep, end - plainTo, accL + mid, accR + mid);
}

template <Interpolation M>
float mixMode(const Span& sp, bool loop, float position, float ratio, float volume, bool fade, int count,
    int samplesPerStep, int frames, float* accL, float* accR) noexcept
{
    if (loop)
        return mixRamped<M, true>(
            sp, position, ratio, volume, fade, count, samplesPerStep, frames, accL, accR);
    return mixRamped<M, false>(sp, position, ratio, volume, fade, count, samplesPerStep, frames, accL, accR);
}

} // namespace

Note noteOf(Cell colour) noexcept
{
    Note n;
    n.volume = static_cast<float>(redOf(colour)) / 255.0f;
    n.pan = static_cast<float>(greenOf(colour)) / 255.0f;
    n.ratio = static_cast<float>(1.5 - (1.0 - blueOf(colour) / 255.0));
    return n;
}

void mixNote(const CInstrument& instrument, std::uint8_t mode, Note& note, bool fade, int count,
    int samplesPerStep, int frames, float* accL, float* accR) noexcept
{
    if (frames <= 0)
        return;
    const std::uint32_t n = instrument.length;
    const bool loop = instrument.loop && n != 0;
    if (n == 0 || mode > static_cast<std::uint8_t>(Interpolation::Quadratic)) {
        // Silent, but the position still moves: a later block may read it with
        // another kit or mode.
        for (int k = 0; k < frames; ++k)
            note.position = AdvancePosition(instrument, note.position, note.ratio);
        return;
    }
    const Span sp{instrument.data.data(), n, pastEnd(n), static_cast<float>(n), 1.0f - note.pan, note.pan};
    switch (static_cast<Interpolation>(mode)) {
    case Interpolation::Truncate:
        note.position = mixMode<Interpolation::Truncate>(sp, loop, note.position, note.ratio, note.volume,
            fade, count, samplesPerStep, frames, accL, accR);
        break;
    case Interpolation::Linear:
        note.position = mixMode<Interpolation::Linear>(sp, loop, note.position, note.ratio, note.volume, fade,
            count, samplesPerStep, frames, accL, accR);
        break;
    case Interpolation::Quadratic:
        note.position = mixMode<Interpolation::Quadratic>(sp, loop, note.position, note.ratio, note.volume,
            fade, count, samplesPerStep, frames, accL, accR);
        break;
    }
}

void CTrack::Reset() noexcept
{
    active_ = false;
    note_.position = 0.0f;
}

void CTrack::StartStep(Cell cell) noexcept
{
    active_ = cell != 0;
    if (active_)
        note_ = noteOf(cell);
}

void CTrack::RenderSpan(const CInstrument& instrument, std::uint8_t mode, int count, int samplesPerStep,
    int frames, float* accL, float* accR) noexcept
{
    if (!active_)
        return;
    const bool fade = instrument.fade && instrument.length != 0;
    mixNote(instrument, mode, note_, fade, count, samplesPerStep, frames, accL, accR);
}

} // namespace quom
