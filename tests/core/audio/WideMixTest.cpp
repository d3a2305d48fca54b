#include "core/audio/WideMix.h"
#include "core/audio/Interpolate.h"
#include "support/SameSamples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

using namespace quom;

// Every quadratic loop the processor has, against lagrangeAt frame by frame, on
// chains of positions like the engine's: samples of every scale with NaN,
// infinities, values whose sums overflow a float, zeros of both signs and
// subnormals; fractions that are 0 on the longest sample a table may serve. A NaN
// matches any NaN: which NaN's bits an operation passes on follows how the compiler
// orders and vectorises it, and at -O3 it vectorises this reference loop too.
TEST(WideMix, QuadraticLoopsGiveTheBitsOfLagrangeAt)
{
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const float specials[] = {std::numeric_limits<float>::quiet_NaN(), kInf, -kInf, 3.0e38f, -3.0e38f, 0.0f,
        -0.0f, 1.0e-40f, -1.0e-30f};
    std::mt19937 gen(15);
    auto uniform = [&gen](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(gen); };
    auto pick = [&gen](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };

    for (const WideUnit unit : {WideUnit::Avx2Fma, WideUnit::Avx512}) {
        if (unit > wideUnit())
            continue;
        for (int trial = 0; trial < 60; ++trial) {
            const bool longest = trial == 0;
            const std::size_t length
                = longest ? std::size_t{1} << 24 : static_cast<std::size_t>(pick(20, 4000));
            const int specialsPerMille = trial % 3 == 0 ? 0 : (trial % 3 == 1 ? 10 : 300);
            const float scale = std::ldexp(1.0f, pick(-20, 20));
            // On a grid of 21-bit integers read at eighths, the exact values often
            // fall halfway between floats, where the last bit of every double
            // rounding shows.
            const bool grid = trial % 4 == 1;
            std::vector<float> d(length);
            for (auto& v : d) {
                if (pick(1, 1000) <= specialsPerMille)
                    v = specials[pick(0, std::size(specials) - 1)];
                else
                    v = grid ? static_cast<float>(pick(-1 << 20, 1 << 20)) : scale * uniform(-1.0f, 1.0f);
            }

            // Near 2^24 the positions are whole, and p + 0.5 would stay at p.
            const float ratio
                = grid ? static_cast<float>(pick(4, 12)) / 8.0f : uniform(longest ? 0.75f : 0.5f, 1.5f);
            std::vector<float> positions;
            float p = longest ? static_cast<float>(length - 3000)
                              : (grid ? 1.0f + static_cast<float>(pick(0, 7)) / 8.0f : uniform(1.0f, 2.0f));
            for (; p < static_cast<float>(length - 2); p += ratio)
                positions.push_back(p);
            const int frames = static_cast<int>(positions.size());
            const float volume = uniform(0.0f, 1.0f);
            const float right = uniform(0.0f, 1.0f);
            const float left = 1.0f - right;
            std::vector<float> fastL(frames);
            for (auto& v : fastL)
                v = uniform(-1.0f, 1.0f);
            std::vector<float> fastR = fastL;
            std::vector<float> slowL = fastL;
            std::vector<float> slowR = fastL;

            const int done = mixQuadraticWide(unit, d.data(), static_cast<std::uint32_t>(length),
                positions.data(), frames, volume, left, right, fastL.data(), fastR.data());
            ASSERT_GE(done, frames - 64) << "trial " << trial;
            for (int k = 0; k < done; ++k) {
                const auto i = static_cast<std::int32_t>(positions[k]);
                const float f = positions[k] - static_cast<float>(i);
                const float v = volume * lagrangeAt(d[i - 1], d[i], d[i + 1], d[i + 2], f);
                slowL[k] += v * left;
                slowR[k] += v * right;
            }
            ASSERT_TRUE(sameSamples(fastL, slowL)) << "unit " << static_cast<int>(unit) << " trial " << trial;
            ASSERT_TRUE(sameSamples(fastR, slowR)) << "unit " << static_cast<int>(unit) << " trial " << trial;
        }
    }
}

} // namespace
