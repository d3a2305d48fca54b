#include "core/audio/Engine.h"
#include "support/Instruments.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

namespace {

using namespace quom;

std::shared_ptr<CKit> constantKit(float value)
{
    auto kit = std::make_shared<CKit>();
    for (int s = 0; s < kKitSlots; ++s)
        kit->slot(s) = instrumentOf(std::vector<float>(3000, value), true);
    return kit;
}

// Swaps the kit from inside a block, as the window thread may at any moment.
class SwappingTempo final : public TempoSource {
public:
    Engine* engine = nullptr;
    mutable std::weak_ptr<const CKit> replaced;
    mutable bool replacedSurvivedTheBlock = false;

    int tempo() const noexcept override
    {
        if (engine != nullptr) {
            auto old = engine->kit();
            replaced = old;
            old.reset();
            engine->setKit(constantKit(0.5f));
            replacedSurvivedTheBlock = !replaced.expired();
        }
        return 120;
    }
};

TEST(KitExchange, KitReplacedDuringABlockIsFreedOnlyAfterIt)
{
    Engine engine;
    LiveGrid grid;
    grid.set(0, 0, makeCell(255, 0, 128));
    engine.setPattern(&grid);
    engine.setKit(constantKit(0.25f));

    std::weak_ptr<const CKit> idle = engine.kit();
    engine.setKit(constantKit(0.75f));
    EXPECT_TRUE(idle.expired()); // nothing was rendering: freed at once

    SwappingTempo swapper;
    swapper.engine = &engine;
    engine.setTempoSource(&swapper);
    engine.Reset();
    engine.setPlaying(true);
    std::vector<float> out(64);
    engine.Render(32, out.data());
    EXPECT_TRUE(swapper.replacedSurvivedTheBlock);
    EXPECT_EQ(out[0], 0.75f); // the block keeps the kit it started with
    EXPECT_EQ(engine.retiredCount(), 1u);

    swapper.engine = nullptr;
    engine.releaseRetired();
    EXPECT_EQ(engine.retiredCount(), 0u);
    EXPECT_TRUE(swapper.replaced.expired());
    engine.Render(32, out.data());
    EXPECT_EQ(out[0], 0.5f);
}

// A thread renders while another keeps replacing the kit. Each kit holds one value
// everywhere, so every frame must come from exactly one whole kit; a freed kit
// being read would show as garbage (and as an error under a sanitizer).
TEST(KitExchange, RenderingWhileAnotherThreadSwapsKits)
{
    Engine engine;
    LiveGrid grid;
    for (int r = 0; r < kRows; ++r)
        grid.set(0, r, makeCell(255, 0, 128));
    TempoValue tempo(350);
    engine.setPattern(&grid);
    engine.setTempoSource(&tempo);
    engine.setKit(constantKit(1.0f / 64.0f));
    engine.Reset();
    engine.setPlaying(true);

    std::atomic<bool> stop{false};
    std::atomic<int> badFrames{0};
    std::thread audio([&] {
        std::vector<float> out(2 * 256);
        while (!stop.load()) {
            engine.Render(256, out.data());
            float seen = 0.0f;
            for (std::size_t f = 0; f < 256; ++f) {
                // Column 0 sounds, the other columns are empty.
                const float v = out[2 * f];
                if (v == 0.0f)
                    continue;
                if (seen == 0.0f)
                    seen = v;
                if (v != seen || !(v > 0.0f && v <= 1.0f))
                    badFrames.fetch_add(1);
            }
        }
    });
    for (int k = 1; k <= 400; ++k) {
        engine.setKit(constantKit(static_cast<float>(k % 64 + 1) / 4096.0f));
        if (k % 7 == 0)
            engine.releaseRetired();
    }
    stop.store(true);
    audio.join();
    engine.releaseRetired();
    EXPECT_EQ(engine.retiredCount(), 0u);
    EXPECT_EQ(badFrames.load(), 0);
}

// The kit editor's audition: once, at the sample's own pitch, centred, whole; a new
// one cuts the last, and a replaced sound outlives the block that read it.
TEST(KitExchange, AnAuditionPlaysItsSoundOnceAndIsFreedOnlyAfterItsBlock)
{
    Engine engine;
    auto sound = std::make_shared<CInstrument>(instrumentOf({0.2f, 0.4f, 0.6f}));
    engine.startAudition(sound);
    std::vector<float> out(2 * 5);
    engine.Render(5, out.data());
    EXPECT_EQ(out, (std::vector<float>{0.1f, 0.1f, 0.2f, 0.2f, 0.3f, 0.3f, 0, 0, 0, 0}));
    engine.Render(5, out.data());
    EXPECT_EQ(out, std::vector<float>(10, 0.0f)) << "played once";

    std::weak_ptr<const CInstrument> first = sound;
    engine.startAudition(sound);
    sound.reset();
    engine.startAudition(std::make_shared<CInstrument>(instrumentOf(std::vector<float>(100, 0.5f))));
    EXPECT_TRUE(first.expired()) << "nothing was rendering";
    engine.Render(5, out.data());
    EXPECT_EQ(out[0], 0.25f) << "the new sound from its start";
    engine.stopAudition();
    engine.Render(5, out.data());
    EXPECT_EQ(out[0], 0.0f);
}

} // namespace
