#include "core/audio/WideMix.h"

#include "core/audio/Interpolate.h"

#include <algorithm>

#ifdef QUOM_WIDE_MIX
#include <immintrin.h>
#endif

namespace quom {

#ifdef QUOM_WIDE_MIX
namespace {

// Eight frames read at most 16 neighbouring sample values, so two loads and a
// permutation replace the sixteen single loads a gather would take.
[[gnu::target("avx2")]] inline __m256 pick(__m256 lo, __m256 hi, __m256i index) noexcept
{
    const __m256 fromLo = _mm256_permutevar8x32_ps(lo, index);
    const __m256 fromHi = _mm256_permutevar8x32_ps(hi, index);
    const __m256i upper = _mm256_cmpgt_epi32(index, _mm256_set1_epi32(7));
    return _mm256_blendv_ps(fromLo, fromHi, _mm256_castsi256_ps(upper));
}

[[gnu::target("avx2")]] inline void addScaled(
    __m256 s, float volume, float left, float right, float* accL, float* accR) noexcept
{
    const __m256 v = _mm256_mul_ps(_mm256_set1_ps(volume), s);
    _mm256_storeu_ps(accL, _mm256_add_ps(_mm256_loadu_ps(accL), _mm256_mul_ps(v, _mm256_set1_ps(left))));
    _mm256_storeu_ps(accR, _mm256_add_ps(_mm256_loadu_ps(accR), _mm256_mul_ps(v, _mm256_set1_ps(right))));
}

[[gnu::target("avx2")]] int mixLinearAvx2(const float* d, std::uint32_t length, const float* positions,
    int frames, float volume, float left, float right, float* accL, float* accR) noexcept
{
    const __m256i one = _mm256_set1_epi32(1);
    const auto lastStart = static_cast<float>(static_cast<std::int64_t>(length) - 16);
    int k = 0;
    for (; k + 8 <= frames; k += 8) {
        const auto i0 = static_cast<std::int32_t>(positions[k]);
        const auto i7 = static_cast<std::int32_t>(positions[k + 7]);
        if (!(positions[k + 7] < lastStart) || i7 - i0 > 14)
            break;
        const __m256 position = _mm256_loadu_ps(positions + k);
        const __m256i i = _mm256_cvttps_epi32(position);
        const __m256 f = _mm256_sub_ps(position, _mm256_cvtepi32_ps(i));
        const __m256 lo = _mm256_loadu_ps(d + i0);
        const __m256 hi = _mm256_loadu_ps(d + i0 + 8);
        const __m256i rel = _mm256_sub_epi32(i, _mm256_set1_epi32(i0));
        const __m256 x0 = pick(lo, hi, rel);
        const __m256 x1 = pick(lo, hi, _mm256_add_epi32(rel, one));
        addScaled(_mm256_add_ps(x0, _mm256_mul_ps(_mm256_sub_ps(x1, x0), f)), volume, left, right, accL + k,
            accR + k);
    }
    return k;
}

// x / 6 correctly rounded, as a division gives it, at a fraction of a division's
// cost: q = x * RN(1 / 6) is within an ulp of x / 6, and one correction by the exact
// remainder rounds it correctly (Markstein's theorem; the values here are far from
// overflow and underflow). Zeros keep their sign; an infinite x gives NaN, which
// addQuadratic redoes.
[[gnu::target("avx2,fma")]] inline __m256d divideBySix(__m256d x) noexcept
{
    const __m256d inverse = _mm256_set1_pd(1.0 / 6.0);
    const __m256d q = _mm256_mul_pd(x, inverse);
    return _mm256_fnmadd_pd(_mm256_fmsub_pd(q, _mm256_set1_pd(6.0), x), inverse, q);
}

[[gnu::target("avx512f,avx512vl,avx2,fma")]] inline __m512d divideBySix(__m512d x) noexcept
{
    const __m512d inverse = _mm512_set1_pd(1.0 / 6.0);
    const __m512d q = _mm512_mul_pd(x, inverse);
    return _mm512_fnmadd_pd(_mm512_fmsub_pd(q, _mm512_set1_pd(6.0), x), inverse, q);
}

// lagrangeAt on four lanes of doubles: its roundings in its order. The products by
// 0.5, 2 and 3 are exact, so fusing each with the next sum rounds once where the
// definition rounds once.
[[gnu::target("avx2,fma")]] inline __m128 lagrange(
    __m256d xm1, __m256d x0, __m256d x1, __m256d x2, __m256d f, __m256d f2, __m256d f3) noexcept
{
    const __m256d t = _mm256_cvtps_pd(_mm256_cvtpd_ps(_mm256_fmadd_pd(_mm256_set1_pd(3.0), x0, x2)));
    const __m256d cubic
        = divideBySix(_mm256_mul_pd(f3, _mm256_sub_pd(t, _mm256_fmadd_pd(_mm256_set1_pd(3.0), x1, xm1))));
    const __m256d square
        = _mm256_mul_pd(f2, _mm256_fmsub_pd(_mm256_add_pd(xm1, x1), _mm256_set1_pd(0.5), x0));
    const __m256d linear
        = _mm256_mul_pd(f, _mm256_sub_pd(x1, divideBySix(_mm256_fmadd_pd(_mm256_set1_pd(2.0), xm1, t))));
    return _mm256_cvtpd_ps(_mm256_add_pd(_mm256_add_pd(_mm256_add_pd(x0, cubic), square), linear));
}

// Conversions between floats and doubles, eight lanes. The masked forms keep every
// lane; GCC 12 warns on the plain ones, which it builds from undefined values.
[[gnu::target("avx512f,avx512vl,avx2,fma")]] inline __m512d wide(__m256 x) noexcept
{
    return _mm512_maskz_cvtps_pd(0xFF, x);
}

[[gnu::target("avx512f,avx512vl,avx2,fma")]] inline __m256 narrow(__m512d x) noexcept
{
    return _mm512_maskz_cvtpd_ps(0xFF, x);
}

// The same on eight lanes.
[[gnu::target("avx512f,avx512vl,avx2,fma")]] inline __m256 lagrange(
    __m512d xm1, __m512d x0, __m512d x1, __m512d x2, __m512d f, __m512d f2, __m512d f3) noexcept
{
    const __m512d t = wide(narrow(_mm512_fmadd_pd(_mm512_set1_pd(3.0), x0, x2)));
    const __m512d cubic
        = divideBySix(_mm512_mul_pd(f3, _mm512_sub_pd(t, _mm512_fmadd_pd(_mm512_set1_pd(3.0), x1, xm1))));
    const __m512d square
        = _mm512_mul_pd(f2, _mm512_fmsub_pd(_mm512_add_pd(xm1, x1), _mm512_set1_pd(0.5), x0));
    const __m512d linear
        = _mm512_mul_pd(f, _mm512_sub_pd(x1, divideBySix(_mm512_fmadd_pd(_mm512_set1_pd(2.0), xm1, t))));
    return narrow(_mm512_add_pd(_mm512_add_pd(_mm512_add_pd(x0, cubic), square), linear));
}

// Eight frames: their fractions, and where they read. Neighbour j of every frame
// (-1 .. 2) sits at index rel of the 16 values from window + j + 1: the frames are
// at most 10.5 apart.
struct QuadraticBlock {
    __m256 f, f2, f3;
    __m256i rel;
    const float* window;
};

inline float quadraticLastStart(std::uint32_t length) noexcept
{
    return static_cast<float>(static_cast<std::int64_t>(length) - 18);
}

// Whether the block from positions[0] reads inside the sample: its loads end 17
// values after its first frame's, and its frames are at most 15 values apart.
inline bool quadraticBlockFits(const float* positions, float lastStart) noexcept
{
    return positions[0] < lastStart
        && static_cast<std::int32_t>(positions[7]) - static_cast<std::int32_t>(positions[0]) <= 15;
}

[[gnu::target("avx2")]] inline QuadraticBlock quadraticBlock(const float* d, const float* positions) noexcept
{
    const auto i0 = static_cast<std::int32_t>(positions[0]);
    const __m256 position = _mm256_loadu_ps(positions);
    const __m256i i = _mm256_cvttps_epi32(position);
    QuadraticBlock b;
    b.f = _mm256_sub_ps(position, _mm256_cvtepi32_ps(i));
    b.f2 = _mm256_mul_ps(b.f, b.f);
    b.f3 = _mm256_mul_ps(b.f2, b.f);
    b.rel = _mm256_sub_epi32(i, _mm256_set1_epi32(i0));
    b.window = d + i0 - 1;
    return b;
}

[[gnu::target("avx2")]] inline __m256 neighbourAvx2(const QuadraticBlock& b, int j) noexcept
{
    return pick(_mm256_loadu_ps(b.window + j), _mm256_loadu_ps(b.window + j + 8), b.rel);
}

// One permutation of two registers where AVX2 takes two and a blend.
[[gnu::target("avx512f,avx512vl,avx2,fma")]] inline __m256 neighbourAvx512(
    const QuadraticBlock& b, int j) noexcept
{
    return _mm256_permutex2var_ps(_mm256_loadu_ps(b.window + j), b.rel, _mm256_loadu_ps(b.window + j + 8));
}

[[gnu::target("avx2")]] inline __m256d lowHalf(__m256 x) noexcept
{
    return _mm256_cvtps_pd(_mm256_castps256_ps128(x));
}

[[gnu::target("avx2")]] inline __m256d highHalf(__m256 x) noexcept
{
    return _mm256_cvtps_pd(_mm256_extractf128_ps(x, 1));
}

[[gnu::target("avx2,fma")]] inline __m256 lagrangeAvx2(const QuadraticBlock& b) noexcept
{
    const __m256 xm1 = neighbourAvx2(b, 0);
    const __m256 x0 = neighbourAvx2(b, 1);
    const __m256 x1 = neighbourAvx2(b, 2);
    const __m256 x2 = neighbourAvx2(b, 3);
    const __m128 low = lagrange(
        lowHalf(xm1), lowHalf(x0), lowHalf(x1), lowHalf(x2), lowHalf(b.f), lowHalf(b.f2), lowHalf(b.f3));
    const __m128 high = lagrange(highHalf(xm1), highHalf(x0), highHalf(x1), highHalf(x2), highHalf(b.f),
        highHalf(b.f2), highHalf(b.f3));
    return _mm256_set_m128(high, low);
}

[[gnu::target("avx512f,avx512vl,avx2,fma")]] inline __m256 lagrangeAvx512(const QuadraticBlock& b) noexcept
{
    return lagrange(wide(neighbourAvx512(b, 0)), wide(neighbourAvx512(b, 1)), wide(neighbourAvx512(b, 2)),
        wide(neighbourAvx512(b, 3)), wide(b.f), wide(b.f2), wide(b.f3));
}

// lagrangeAt itself, frame by frame, for a block whose quick result has NaN lanes:
// an infinity divideBySix cannot take, or NaN whose bits the definition decides.
[[gnu::noinline, gnu::cold]] void lagrangeEach(const float* d, const float* positions, float* values) noexcept
{
    for (int j = 0; j < 8; ++j) {
        const auto i = static_cast<std::int32_t>(positions[j]);
        const float f = positions[j] - static_cast<float>(i);
        values[j] = lagrangeAt(d[i - 1], d[i], d[i + 1], d[i + 2], f);
    }
}

[[gnu::target("avx2")]] inline void addQuadratic(__m256 s, const float* d, const float* positions,
    float volume, float left, float right, float* accL, float* accR) noexcept
{
    if (_mm256_movemask_ps(_mm256_cmp_ps(s, s, _CMP_UNORD_Q)) != 0) {
        alignas(32) float values[8];
        lagrangeEach(d, positions, values);
        s = _mm256_load_ps(values);
    }
    addScaled(s, volume, left, right, accL, accR);
}

// The quadratic loops take two blocks at a time, so that the long chains of
// dependent roundings of one overlap with the other's.
inline bool quadraticPairFits(const float* positions, int frames, float lastStart) noexcept
{
    return frames >= 16 && quadraticBlockFits(positions, lastStart)
        && quadraticBlockFits(positions + 8, lastStart);
}

[[gnu::target("avx2,fma")]] int mixQuadraticAvx2(const float* d, std::uint32_t length, const float* positions,
    int frames, float volume, float left, float right, float* accL, float* accR) noexcept
{
    const float lastStart = quadraticLastStart(length);
    int k = 0;
    for (; quadraticPairFits(positions + k, frames - k, lastStart); k += 16) {
        const __m256 a = lagrangeAvx2(quadraticBlock(d, positions + k));
        const __m256 b = lagrangeAvx2(quadraticBlock(d, positions + k + 8));
        addQuadratic(a, d, positions + k, volume, left, right, accL + k, accR + k);
        addQuadratic(b, d, positions + k + 8, volume, left, right, accL + k + 8, accR + k + 8);
    }
    return k;
}

// Eight lanes of doubles in one register: half the instructions of the AVX2 loop.
[[gnu::target("avx512f,avx512vl,avx2,fma")]] int mixQuadraticAvx512(const float* d, std::uint32_t length,
    const float* positions, int frames, float volume, float left, float right, float* accL,
    float* accR) noexcept
{
    const float lastStart = quadraticLastStart(length);
    int k = 0;
    for (; quadraticPairFits(positions + k, frames - k, lastStart); k += 16) {
        const __m256 a = lagrangeAvx512(quadraticBlock(d, positions + k));
        const __m256 b = lagrangeAvx512(quadraticBlock(d, positions + k + 8));
        addQuadratic(a, d, positions + k, volume, left, right, accL + k, accR + k);
        addQuadratic(b, d, positions + k + 8, volume, left, right, accL + k + 8, accR + k + 8);
    }
    return k;
}

// Read once at start-up, before any block is rendered.
const bool kHasAvx2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}();

const WideUnit kWideUnit = [] {
    __builtin_cpu_init();
    if (!__builtin_cpu_supports("avx2") || !__builtin_cpu_supports("fma"))
        return WideUnit::None;
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") ? WideUnit::Avx512
                                                                                   : WideUnit::Avx2Fma;
}();

} // namespace
#endif

bool hasAvx2() noexcept
{
#ifdef QUOM_WIDE_MIX
    return kHasAvx2;
#else
    return false;
#endif
}

WideUnit wideUnit() noexcept
{
#ifdef QUOM_WIDE_MIX
    return kWideUnit;
#else
    return WideUnit::None;
#endif
}

int mixLinearWide(const float* d, std::uint32_t length, const float* positions, int frames, float volume,
    float left, float right, float* accL, float* accR) noexcept
{
#ifdef QUOM_WIDE_MIX
    if (kHasAvx2)
        return mixLinearAvx2(d, length, positions, frames, volume, left, right, accL, accR);
#else
    (void)d, (void)length, (void)positions, (void)frames, (void)volume, (void)left, (void)right, (void)accL,
        (void)accR;
#endif
    return 0;
}

int mixQuadraticWide(WideUnit unit, const float* d, std::uint32_t length, const float* positions, int frames,
    float volume, float left, float right, float* accL, float* accR) noexcept
{
#ifdef QUOM_WIDE_MIX
    switch (std::min(unit, kWideUnit)) {
    case WideUnit::Avx512:
        return mixQuadraticAvx512(d, length, positions, frames, volume, left, right, accL, accR);
    case WideUnit::Avx2Fma:
        return mixQuadraticAvx2(d, length, positions, frames, volume, left, right, accL, accR);
    case WideUnit::None:
        break;
    }
#else
    (void)unit, (void)d, (void)length, (void)positions, (void)frames, (void)volume, (void)left, (void)right,
        (void)accL, (void)accR;
#endif
    return 0;
}

} // namespace quom
