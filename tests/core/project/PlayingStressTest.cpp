#include "core/project/Project.h"

#include "core/generators/CameraBlend.h"
#include "core/generators/CellFilter.h"
#include "core/generators/ColorCurves.h"
#include "core/generators/MutateColors.h"
#include "core/generators/WaveSequence.h"
#include "core/random/Random.h"
#include "core/transport/Transport.h"
#include "support/Instruments.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <thread>
#include <vector>

// The window thread runs a seeded random sequence of commands, undo and redo, pattern
// switches, kit swaps, previews and generator windows while another thread renders the
// transport's engine block after block, as the audio callback does. Run under
// ThreadSanitizer it proves the threads share nothing but atomics; in any build it
// checks that the sound stays sane and the undo history consistent.
namespace {

using namespace quom;

constexpr int kActions = 1000;
constexpr std::uint32_t kBlockFrames = 256;
// 64 tracks, the preview and the audition at full scale, with room for the overshoot
// of quadratic interpolation: anything louder was read from freed or foreign memory.
constexpr float kLoudest = 100.0f;

std::shared_ptr<const CKit> noiseKit(std::mt19937& gen, bool loop)
{
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    auto kit = std::make_shared<CKit>();
    for (int s = 0; s < kKitSlots; ++s) {
        std::vector<float> samples(200 + 331 * static_cast<std::size_t>(s));
        for (auto& v : samples)
            v = u(gen);
        kit->slot(s) = instrumentOf(std::move(samples), loop, s % 2 == 0);
    }
    return kit;
}

// Renders until told to stop, remembering whether any frame was out of bounds.
class AudioThread {
public:
    explicit AudioThread(Engine& engine)
        : thread_([this, &engine] { run(engine); })
    {
    }
    ~AudioThread() { finish(); }

    void finish()
    {
        stop_.store(true);
        if (thread_.joinable())
            thread_.join();
    }
    std::uint64_t blocks() const { return blocks_.load(); }
    bool sane() const { return sane_.load(); }

private:
    void run(Engine& engine)
    {
        std::vector<float> out(2 * kBlockFrames);
        while (!stop_.load(std::memory_order_relaxed)) {
            engine.Render(kBlockFrames, out.data());
            for (float v : out) {
                if (!(std::fabs(v) <= kLoudest))
                    sane_.store(false);
            }
            blocks_.fetch_add(1);
        }
    }

    std::atomic<bool> stop_{false};
    std::atomic<bool> sane_{true};
    std::atomic<std::uint64_t> blocks_{0};
    std::thread thread_;
};

// A tool window's life: live previews from the pattern it started with, then Ok (one
// undo step) or Cancel (the start put back).
void generatorWindow(Project& project, std::mt19937& gen)
{
    const Grid start = project.model().current().snapshot();
    const int kind = static_cast<int>(gen() % 5);
    for (int frame = 0; frame < 4; ++frame) {
        const int amount = static_cast<int>(gen() % 101);
        Grid cells = start;
        switch (kind) {
        case 0:
            mutateCells(cells, amount, 100 - amount, amount / 2);
            break;
        case 1:
            cells = withColorCurves(start, {{amount - 50, 50 - amount, 0}, {false, amount % 2 == 0, true}});
            break;
        case 2: {
            WaveSettings wave;
            wave.wave = static_cast<Wave>(amount % 6);
            wave.period = 1 + amount % 10;
            drawWaveSequence(cells, wave, drawWaveRandoms());
            break;
        }
        case 3:
            cells = blendFrame(start, project.model().slot(amount % kPatternSlots),
                {static_cast<CameraMode>(amount % 3), amount, 100 - amount, 50});
            break;
        default:
            applyCellFilter(
                cells, project.model().slot(amount % kPatternSlots), amount % 3, 1 + amount % 100);
            break;
        }
        project.showCells(cells);
    }
    if (gen() % 2 == 0)
        project.recordUndo();
    else
        project.showCells(start);
}

void randomSelection(Project& project, std::mt19937& gen)
{
    const auto at = [&] { return static_cast<int>(gen() % kColumns); };
    project.model().selection = CellRect{at(), at(), at(), at()}.ordered();
}

// One command, as a user, a controller or a tool window would give it.
void randomAction(Project& project, Transport& transport,
    const std::array<std::shared_ptr<const CKit>, 2>& kits, const std::shared_ptr<const CInstrument>& sound,
    std::mt19937& gen)
{
    const auto pick = [&](int n) { return static_cast<int>(gen() % static_cast<unsigned>(n)); };
    RandomSettings random;
    switch (pick(24)) {
    case 0:
        project.apply({OperationId::Clear, {}});
        break;
    case 1:
        project.apply({OperationId::ReverseX, {}});
        break;
    case 2:
        project.apply({OperationId::ReverseY, {}});
        break;
    case 3:
        project.apply({OperationId::RotateClockwise, {}});
        break;
    case 4:
        project.apply({OperationId::RotateCounterClockwise, {}});
        break;
    case 5:
        project.apply({OperationId::ShuffleCells, {}});
        break;
    case 6:
        project.apply({OperationId::Drum, {}});
        break;
    case 7:
        project.apply({OperationId::Automaton, {}});
        break;
    case 8:
        random.density = pick(101);
        project.apply({OperationId::Random, random});
        break;
    case 9:
        project.apply({OperationId::Scroll, ScrollAmount{pick(9) - 4, pick(9) - 4}});
        break;
    case 10:
        project.apply({OperationId::OffsetColors, channelOffset(pick(3), pick(41) - 20)});
        break;
    case 11:
        randomSelection(project, gen);
        project.copy();
        break;
    case 12:
        randomSelection(project, gen);
        project.cut();
        break;
    case 13:
        randomSelection(project, gen);
        project.placeFloating(pick(2) == 0);
        break;
    case 14:
    case 15:
        project.undo();
        break;
    case 16:
        project.redo();
        break;
    case 17:
        project.selectPattern(pick(kPatternSlots));
        break;
    case 18:
        project.changeTempo(1 + pick(350));
        break;
    case 19:
        project.setKit(kits[static_cast<std::size_t>(pick(2))]);
        break;
    case 20:
        transport.previewCell(pick(kKitSlots), makeCell(pick(256), pick(256), pick(256)));
        transport.engine().startAudition(pick(2) == 0 ? sound : nullptr);
        break;
    case 21:
        transport.setInterpolation(static_cast<std::uint8_t>(pick(3)));
        transport.setVolume(pick(101));
        break;
    case 22:
        pick(4) == 0 ? transport.stop() : transport.play();
        break;
    default:
        generatorWindow(project, gen);
        break;
    }
    transport.releaseRetired();
}

class PlayingProject : public ::testing::TestWithParam<std::uint32_t> { };

TEST_P(PlayingProject, RandomCommandsWhileTheAudioThreadPlays)
{
    const std::uint32_t seed = GetParam();
    std::mt19937 gen(seed);
    quom::seedRandom(seed);
    const std::array kits{noiseKit(gen, false), noiseKit(gen, true)};
    const auto sound = std::make_shared<const CInstrument>(instrumentOf(std::vector<float>(30000, 0.25f)));

    Project project;
    Transport transport(project);
    project.setKit(kits[0]);
    project.apply({OperationId::Random, RandomSettings{}});
    transport.play();
    AudioThread audio(transport.engine());
    for (int i = 0; i < kActions; ++i) {
        randomAction(project, transport, kits, sound, gen);
        // Let the audio thread in now and then, so blocks fall between the commands.
        if (i % 64 == 0)
            std::this_thread::yield();
    }
    while (audio.blocks() < 100)
        std::this_thread::yield();
    audio.finish();

    EXPECT_TRUE(audio.sane());
    EXPECT_EQ(transport.engine().pattern(), &project.model().current());

    // Stepping through the whole history and back ends where it began.
    while (project.undoHistory().cursor() + 1 < project.undoHistory().size())
        project.redo();
    const Grid top = project.model().current().snapshot();
    while (project.undoHistory().cursor() > 0)
        project.undo();
    while (project.undoHistory().cursor() + 1 < project.undoHistory().size())
        project.redo();
    EXPECT_EQ(project.model().current().snapshot(), top);
}

INSTANTIATE_TEST_SUITE_P(Seeds, PlayingProject, ::testing::Values(1u, 2u, 3u));

} // namespace
