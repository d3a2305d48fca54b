#include "core/audio/Track.h"

#include "core/audio/Interpolate.h"
#include "core/audio/SampleReading.h"
#include "core/audio/WideMix.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <new>

#include <sys/mman.h>

namespace quom {
namespace {

constexpr int kFadeFrames = 20;

// Every note starts at position 0 on the first frame of a step and adds its ratio
// once per frame, so until it wraps its position at frame c of the step depends
// only on its blue byte. These tables hold those positions for the first
// kTableFrames frames of a step; they let the mixing loops below run without the
// serial position chain, and so vectorise.
constexpr int kTableFrames = 8192;
constexpr std::uint32_t kTableMaxLength = 1u << 24; // lengths held exactly by a float

template <class T> using LargeArray = std::unique_ptr<T[], decltype(&std::free)>;

// Megabytes that every process touches at once: in 2 MiB pages where the system
// offers them, so they take four page faults instead of two thousand.
template <class T> LargeArray<T> allocateLarge(std::size_t count)
{
    constexpr std::size_t kHugePage = std::size_t{1} << 21;
    const std::size_t bytes = (count * sizeof(T) + kHugePage - 1) / kHugePage * kHugePage;
    void* memory = std::aligned_alloc(kHugePage, bytes);
    if (!memory)
        throw std::bad_alloc();
    madvise(memory, bytes, MADV_HUGEPAGE);
    return LargeArray<T>(static_cast<T*>(memory), &std::free);
}

// 256 chains of kTableFrames additions. Four run side by side so that each one's
// latency hides behind the others'; each chain still adds its ratio once per
// frame, in order. The memory is not cleared first: every value is written once.
const float* positionTables()
{
    static const LargeArray<float> kTables = [] {
        constexpr int kSideBySide = 4;
        auto t = allocateLarge<float>(256 * static_cast<std::size_t>(kTableFrames));
        for (int first = 0; first < 256; first += kSideBySide) {
            float* row[kSideBySide];
            float ratio[kSideBySide];
            float position[kSideBySide];
            for (int j = 0; j < kSideBySide; ++j) {
                row[j] = t.get() + static_cast<std::size_t>(first + j) * kTableFrames;
                ratio[j] = noteOf(makeCell(0, 0, first + j)).ratio;
                position[j] = 0.0f;
            }
            for (int c = 0; c < kTableFrames; ++c) {
                for (int j = 0; j < kSideBySide; ++j) {
                    row[j][c] = position[j];
                    position[j] += ratio[j];
                }
            }
        }
        return t;
    }();
    return kTables.get();
}

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

// What stays fixed while one note is mixed over one span.
struct Mix {
    const float* data;
    std::uint32_t length;
    float end; // pastEnd(length)
    float wrap; // the loop length as AdvancePosition wraps it
    float left; // 1 - pan
    float right; // pan
    float volume;
    float ratio;
    const float* positions; // the note's position table
    int samplesPerStep;
};

// The per-frame definition (read, advance, fade, pan), specialised so the mode,
// loop and fade tests leave the inner loop.
template <Interpolation M, bool Loop, bool Fade>
float mixSerial(const Mix& m, float position, int count, int frames, float* accL, float* accR) noexcept
{
    const float* d = m.data;
    const std::uint32_t n = m.length;
    const float end = m.end;
    const float wrap = m.wrap;
    const float left = m.left;
    const float right = m.right;
    const float volume = m.volume;
    const float ratio = m.ratio;
    for (int k = 0; k < frames; ++k) {
        float s = 0.0f;
        if (position < end) {
            const auto i = static_cast<std::uint32_t>(position);
            const float f = position - static_cast<float>(i);
            if constexpr (M == Interpolation::Truncate)
                s = d[i];
            else if constexpr (M == Interpolation::Linear)
                s = linearAt(d, n, i, f);
            else
                s = quadraticAt(d, n, i, f);
        }
        position += ratio;
        if constexpr (Loop) {
            while (position >= wrap)
                position -= wrap;
            while (position < 0.0f)
                position += wrap;
        }
        if constexpr (Fade)
            s = fadeScale(s, count + k, m.samplesPerStep);
        const float v = volume * s;
        accL[k] += v * left;
        accR[k] += v * right;
    }
    return position;
}

// The same frames as mixSerial for positions read from a table, where every
// neighbour the mode reads lies inside the sample and nothing wraps. Inlined into a
// copy per instruction set.
template <Interpolation M>
[[gnu::always_inline]] inline void mixTabled(const Mix& m, const float* __restrict positions, int frames,
    float* __restrict accL, float* __restrict accR) noexcept
{
    const float* __restrict d = m.data;
    const float left = m.left;
    const float right = m.right;
    const float volume = m.volume;
    for (int k = 0; k < frames; ++k) {
        const float position = positions[k];
        const auto i = static_cast<std::int32_t>(position);
        const float f = position - static_cast<float>(i);
        float s;
        if constexpr (M == Interpolation::Truncate)
            s = d[i];
        else if constexpr (M == Interpolation::Linear)
            s = d[i] + (d[i + 1] - d[i]) * f;
        else
            s = lagrangeAt(d[i - 1], d[i], d[i + 1], d[i + 2], f);
        const float v = volume * s;
        accL[k] += v * left;
        accR[k] += v * right;
    }
}

#ifdef QUOM_WIDE_MIX
// With AVX2 the loop's reads become gathers. The copy is chosen by a test at run time,
// not by target_clones: its load-time resolver crashes under ThreadSanitizer, and clang
// cannot clone a template.
template <Interpolation M>
[[gnu::target("avx2")]] void mixTabledAvx2(const Mix& m, const float* __restrict positions, int frames,
    float* __restrict accL, float* __restrict accR) noexcept
{
    mixTabled<M>(m, positions, frames, accL, accR);
}
#endif

template <Interpolation M>
void mixTabledFast(const Mix& m, const float* positions, int frames, float* accL, float* accR) noexcept
{
    int done = 0;
    if constexpr (M == Interpolation::Linear)
        done = mixLinearWide(m.data, m.length, positions, frames, m.volume, m.left, m.right, accL, accR);
    else if constexpr (M == Interpolation::Quadratic)
        done = mixQuadraticWide(
            wideUnit(), m.data, m.length, positions, frames, m.volume, m.left, m.right, accL, accR);
#ifdef QUOM_WIDE_MIX
    if (hasAvx2()) {
        mixTabledAvx2<M>(m, positions + done, frames - done, accL + done, accR + done);
        return;
    }
#endif
    mixTabled<M>(m, positions + done, frames - done, accL + done, accR + done);
}

// Frames without a fade ramp: through the table where it applies, serially around it.
template <Interpolation M, bool Loop>
float mixPlain(const Mix& m, float position, int count, int frames, float* accL, float* accR) noexcept
{
    const float* p = m.positions + count;
    if (frames <= 0 || count + frames > kTableFrames || m.length > kTableMaxLength || position != p[0])
        return mixSerial<M, Loop, false>(m, position, count, frames, accL, accR);

    // Positions grow with the frames: the table applies from the first frame whose
    // left neighbour is inside the sample up to the last whose right one is.
    const float low = M == Interpolation::Quadratic ? 1.0f : 0.0f;
    const int rightNeighbours = M == Interpolation::Truncate ? 0 : (M == Interpolation::Linear ? 1 : 2);
    const auto high = static_cast<float>(static_cast<std::int64_t>(m.length) - rightNeighbours);
    int a = 0;
    while (a < frames && p[a] < low)
        ++a;
    int b = frames;
    while (b > a && !(p[b - 1] < high))
        --b;
    if (a == b)
        return mixSerial<M, Loop, false>(m, position, count, frames, accL, accR);

    position = mixSerial<M, Loop, false>(m, position, count, a, accL, accR);
    mixTabledFast<M>(m, p + a, b - a, accL + a, accR + a);
    position = p[b - 1] + m.ratio;
    if constexpr (Loop) {
        while (position >= m.wrap)
            position -= m.wrap;
    }
    return mixSerial<M, Loop, false>(m, position, count + b, frames - b, accL + b, accR + b);
}

template <Interpolation M, bool Loop>
float mixRamped(
    const Mix& m, float position, bool fade, int count, int frames, float* accL, float* accR) noexcept
{
    if (!fade)
        return mixPlain<M, Loop>(m, position, count, frames, accL, accR);
    // Only the frames near the step's ends are ramped; the middle runs plain.
    const int sps = m.samplesPerStep;
    const int end = count + frames;
    const int plainFrom = std::max(count, std::min(end, kFadeFrames));
    const int plainTo = std::max(plainFrom, std::min(end, sps - kFadeFrames + 1));
    position = mixSerial<M, Loop, true>(m, position, count, plainFrom - count, accL, accR);
    const int head = plainFrom - count;
    position = mixPlain<M, Loop>(m, position, plainFrom, plainTo - plainFrom, accL + head, accR + head);
    const int mid = plainTo - count;
    return mixSerial<M, Loop, true>(m, position, plainTo, end - plainTo, accL + mid, accR + mid);
}

template <Interpolation M>
float mixMode(const Mix& m, bool loop, float position, bool fade, int count, int frames, float* accL,
    float* accR) noexcept
{
    if (loop)
        return mixRamped<M, true>(m, position, fade, count, frames, accL, accR);
    return mixRamped<M, false>(m, position, fade, count, frames, accL, accR);
}

} // namespace

void preparePositionTables()
{
    positionTables();
}

Note noteOf(Cell color) noexcept
{
    Note n;
    n.volume = static_cast<float>(redOf(color)) / 255.0f;
    n.pan = static_cast<float>(greenOf(color)) / 255.0f;
    n.ratio = static_cast<float>(1.5 - (1.0 - blueOf(color) / 255.0));
    n.blue = blueOf(color);
    return n;
}

void mixNote(const CInstrument& instrument, std::uint8_t mode, Note& note, bool fade, int count,
    int samplesPerStep, int frames, float* accL, float* accR) noexcept
{
    if (frames <= 0)
        return;
    const std::uint32_t n = instrument.length();
    const bool loop = instrument.loop && n != 0;
    if (n == 0 || mode > static_cast<std::uint8_t>(Interpolation::Quadratic)) {
        // Silent, but the position still moves: a later block may read it with
        // another kit or mode.
        for (int k = 0; k < frames; ++k)
            note.position = AdvancePosition(instrument, note.position, note.ratio);
        return;
    }
    const Mix m{instrument.data.data(), n, pastEnd(n), static_cast<float>(n), 1.0f - note.pan, note.pan,
        note.volume, note.ratio, positionTables() + static_cast<std::size_t>(note.blue) * kTableFrames,
        samplesPerStep};
    switch (static_cast<Interpolation>(mode)) {
    case Interpolation::Truncate:
        note.position
            = mixMode<Interpolation::Truncate>(m, loop, note.position, fade, count, frames, accL, accR);
        break;
    case Interpolation::Linear:
        note.position
            = mixMode<Interpolation::Linear>(m, loop, note.position, fade, count, frames, accL, accR);
        break;
    case Interpolation::Quadratic:
        note.position
            = mixMode<Interpolation::Quadratic>(m, loop, note.position, fade, count, frames, accL, accR);
        break;
    }
}

void CTrack::Reset() noexcept
{
    active_ = false;
    note_.position = 0.0f;
}

void CTrack::startStep(Cell cell) noexcept
{
    active_ = cell != 0;
    if (active_)
        note_ = noteOf(cell);
}

void CTrack::prefetchSpan(const CInstrument& instrument, int count, int frames) const noexcept
{
    // Hints only, so nothing here reads the table or the sample: a read would wait for
    // the very miss the hints are meant to overlap. The note's own position and ratio
    // say where it reads.
    constexpr int kLineFloats = 16;
    const std::uint32_t n = instrument.length();
    if (!active_ || n == 0)
        return;
    if (count < kTableFrames) {
        const float* p = positionTables() + static_cast<std::size_t>(note_.blue) * kTableFrames + count;
        for (int k = 0; k < std::min(frames, kTableFrames - count); k += kLineFloats)
            __builtin_prefetch(p + k);
    }
    const float first = note_.position;
    const float last = first + note_.ratio * static_cast<float>(frames) + 2.0f;
    if (!(first >= 0.0f) || !(first < static_cast<float>(n)))
        return;
    const float* d = instrument.data.data();
    const auto end = static_cast<std::uint32_t>(std::min(last, static_cast<float>(n)));
    for (auto i = static_cast<std::uint32_t>(first); i < end; i += kLineFloats)
        __builtin_prefetch(d + i);
}

void CTrack::renderSpan(const CInstrument& instrument, std::uint8_t mode, int count, int samplesPerStep,
    int frames, float* accL, float* accR) noexcept
{
    if (!active_)
        return;
    const bool fade = instrument.fade && instrument.length() != 0;
    mixNote(instrument, mode, note_, fade, count, samplesPerStep, frames, accL, accR);
}

} // namespace quom
