#include "core/audio/WideMix.h"

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

[[gnu::target("avx2")]] int mixLinearAvx2(const float* d, std::uint32_t length, const float* positions,
    int frames, float volume, float left, float right, float* accL, float* accR) noexcept
{
    const __m256 vVolume = _mm256_set1_ps(volume);
    const __m256 vLeft = _mm256_set1_ps(left);
    const __m256 vRight = _mm256_set1_ps(right);
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
        const __m256 s = _mm256_add_ps(x0, _mm256_mul_ps(_mm256_sub_ps(x1, x0), f));
        const __m256 v = _mm256_mul_ps(vVolume, s);
        _mm256_storeu_ps(accL + k, _mm256_add_ps(_mm256_loadu_ps(accL + k), _mm256_mul_ps(v, vLeft)));
        _mm256_storeu_ps(accR + k, _mm256_add_ps(_mm256_loadu_ps(accR + k), _mm256_mul_ps(v, vRight)));
    }
    return k;
}

// Read once at start-up, before any block is rendered.
const bool kHasAvx2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
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

} // namespace quom
