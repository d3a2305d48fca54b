#include "core/transport/Transport.h"

#include "core/audio/LoopRender.h"

#include "support/Instruments.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

using namespace quom;

struct Heard final : TransportListener {
    void playingChanged(bool on) override { playing.push_back(on); }
    std::vector<bool> playing;
};

class TransportTest : public ::testing::Test {
protected:
    TransportTest() { transport.setListener(&heard); }

    // Renders one block and returns the frames per step the engine played at.
    int renderedStep()
    {
        std::vector<float> out(2 * 64);
        transport.engine().Render(64, out.data());
        return transport.engine().SamplesPerStep();
    }

    Project project;
    Transport transport{project};
    Heard heard;
};

TEST_F(TransportTest, PlaybackIsToldAndTheEnginePlaysTheProjectsCurrentPattern)
{
    Engine& engine = transport.engine();
    transport.play();
    EXPECT_TRUE(engine.playing());
    renderedStep();
    EXPECT_EQ(transport.playingColumn(), 0);
    transport.stopAndRewind();
    transport.stop();
    EXPECT_EQ(heard.playing, (std::vector<bool>{true, false})) << "stopping twice is heard once";
    EXPECT_EQ(transport.playingColumn(), -1);

    project.selectPattern(4);
    EXPECT_EQ(engine.pattern(), &project.model().current())
        << "the engine plays whichever pattern is current";
    EXPECT_EQ(engine.tempoSource(), &project.tempoSource());
}

TEST_F(TransportTest, EveryKitTheProjectNamesReachesTheEngine)
{
    auto kit = std::make_shared<CKit>();
    kit->slot(3) = instrumentOf(std::vector<float>(100, 0.5f));
    project.setKit(kit);
    EXPECT_EQ(transport.engine().kit().get(), kit.get());

    project.newProject();
    EXPECT_EQ(transport.engine().kit().get(), kit.get()) << "a new project keeps the kit";
    project.setKit(nullptr);
    EXPECT_EQ(transport.engine().kit(), project.kit()) << "none is an empty kit, on both sides";
    EXPECT_NE(project.kit(), nullptr);
}

TEST_F(TransportTest, ATempoSourceDecidesTheTempoUntilTheProjectsOwnIsBack)
{
    project.setTempo(100);
    transport.play();
    EXPECT_EQ(renderedStep(), framesPerStep(100));

    TempoValue followed(240);
    transport.followTempo(&followed);
    EXPECT_EQ(renderedStep(), framesPerStep(240));
    project.setTempo(90);
    EXPECT_EQ(renderedStep(), framesPerStep(240)) << "the project's tempo no longer leads";

    transport.followTempo(nullptr);
    EXPECT_EQ(renderedStep(), framesPerStep(90));
}

struct SharedRequests final : SharedTransport {
    void requestStart() noexcept override { requests.push_back("start"); }
    void requestStop() noexcept override { requests.push_back("stop"); }
    std::vector<std::string> requests;
};

TEST_F(TransportTest, PlayAndStopReachASharedTransportEvenWhileQuomStandsItself)
{
    SharedRequests shared;
    transport.shareWith(&shared);
    transport.play();
    transport.stop();
    // Rolling with another program's transport, Quom's own Play may be off: Stop still
    // stops that transport, and so does every stop before a file or an export.
    transport.stop();
    transport.stopAndRewind();
    EXPECT_EQ(shared.requests, (std::vector<std::string>{"start", "stop", "stop", "stop"}));
    EXPECT_EQ(heard.playing, (std::vector<bool>{true, false}));

    transport.shareWith(nullptr);
    transport.play();
    EXPECT_EQ(shared.requests.size(), 4U);
}

TEST_F(TransportTest, SwitchesWaitForTheWrapOnlyWhenSetToAndWhilePlaying)
{
    Engine& engine = transport.engine();
    project.selectPattern(4);
    project.setPatternTempo(300);
    project.setCellColor(0, 0, makeCell(1, 2, 3));
    project.selectPattern(0);
    project.setPatternTempo(350);

    transport.switchPattern(4); // at once is the default
    EXPECT_EQ(project.model().currentIndex(), 4);
    transport.switchPattern(0);

    Settings settings;
    settings.patternSwitch = PatternSwitch::AtPatternEnd;
    transport.applySettings(settings);
    transport.switchPattern(4);
    EXPECT_EQ(project.model().currentIndex(), 4) << "stopped, nothing wraps: at once";
    transport.switchPattern(0);

    transport.play();
    renderedStep();
    transport.switchPattern(4);
    EXPECT_EQ(transport.queuedPattern(), 4);
    EXPECT_EQ(project.model().currentIndex(), 0);
    std::vector<float> out(2 * 64 * static_cast<std::size_t>(framesPerStep(350)));
    engine.Render(64 * static_cast<std::uint32_t>(framesPerStep(350)) - 63, out.data()); // to the wrap frame
    EXPECT_EQ(engine.switchesLanded(), 1u);
    EXPECT_EQ(engine.SamplesPerStep(), framesPerStep(300));
    EXPECT_EQ(project.model().currentIndex(), 0) << "the window takes it on its timer";
    transport.poll();
    EXPECT_EQ(project.model().currentIndex(), 4);
    EXPECT_EQ(project.tempo(), 300);
    EXPECT_EQ(transport.queuedPattern(), -1);
    EXPECT_EQ(engine.pattern(), &project.model().current());
    EXPECT_EQ(engine.tempoSource(), &project.tempoSource());
    EXPECT_EQ(project.model().current().at(0, 0), makeCell(1, 2, 3));

    // Selected by other means, or stopped: a switch still waiting goes or happens now.
    transport.switchPattern(7);
    project.selectPattern(2);
    EXPECT_EQ(transport.queuedPattern(), -1);
    EXPECT_FALSE(engine.switchQueued());
    transport.switchPattern(9);
    transport.stop();
    EXPECT_EQ(project.model().currentIndex(), 9);
    EXPECT_FALSE(engine.switchQueued());
}

} // namespace

class TransportSongTest : public TransportTest {
protected:
    TransportSongTest()
    {
        auto kit = std::make_shared<CKit>();
        std::vector<float> saw(3000);
        for (std::size_t i = 0; i < saw.size(); ++i)
            saw[i] = static_cast<float>(i % 61) / 61.0f - 0.5f;
        kit->slot(0) = instrumentOf(saw);
        kit->slot(2) = instrumentOf(std::vector<float>(700, 0.25f), true);
        project.setKit(kit);
        paint(1, 300, 0, 5);
        paint(4, 350, 2, 3);
        paint(6, 200, 0, 7);
        project.selectPattern(0);
    }

    void paint(int pattern, int tempo, int row, int every)
    {
        project.selectPattern(pattern);
        project.setPatternTempo(tempo);
        for (int c = 0; c < kColumns; c += every)
            project.setCellColor(c, row, makeCell(static_cast<std::uint8_t>(100 + c), 60 + c, 90 + c));
    }

    // Plays frames in blocks of 512, the window's poll after each.
    std::vector<float> play(std::uint64_t frames)
    {
        std::vector<float> out(2 * frames);
        for (std::uint64_t done = 0; done < frames; done += 512) {
            const auto n = static_cast<std::uint32_t>(std::min<std::uint64_t>(512, frames - done));
            transport.engine().Render(n, out.data() + 2 * done);
            transport.poll();
        }
        return out;
    }
};

TEST_F(TransportSongTest, ASongPlaysLiveAsItsExportRendersIt)
{
    ASSERT_EQ(project.setSong({{1, 2}, {4, 1}, {6, 1}}), "");
    transport.playSong();
    EXPECT_EQ(project.model().currentIndex(), 1) << "stopped: the first entry's pattern at once";
    const LoopPasses passes = transport.passesToExport();
    ASSERT_EQ(passes.size(), 4u);
    EXPECT_EQ(passes[2].tempo, 350);

    transport.play();
    const std::uint64_t steps = 64u * (2u * framesPerStep(300) + framesPerStep(350) + framesPerStep(200));
    const auto live = play(steps + 1); // and the first frame of the loop's next pass
    std::array<Grid, kPatternSlots> patterns{};
    for (int i = 0; i < kPatternSlots; ++i)
        patterns[static_cast<std::size_t>(i)] = project.model().slot(i);
    const auto exported = renderLoop(patterns, passes, transport.engine().kit(),
        {transport.engine().interpolation(), transport.engine().gain()});
    ASSERT_GE(exported.size(), live.size());
    EXPECT_TRUE(std::equal(live.begin(), live.end(), exported.begin()));
    EXPECT_EQ(transport.songEntry(), 0) << "the song loops to its first entry";
    EXPECT_EQ(project.model().currentIndex(), 1);
    EXPECT_EQ(transport.engine().switchesLanded(), 3u);
}

TEST_F(TransportSongTest, StartsOnTheWrapWhileRollingAndEndsByHandOrWhenEmptied)
{
    ASSERT_EQ(project.setSong({{4, 1}, {4, 2}, {6, 1}}), "");
    transport.play();
    play(100);
    transport.playSong(1);
    EXPECT_EQ(transport.queuedPattern(), 4) << "rolling: from the next wrap";
    EXPECT_EQ(project.model().currentIndex(), 0);
    play(64u * framesPerStep(project.tempo()));
    EXPECT_EQ(project.model().currentIndex(), 4);
    EXPECT_EQ(transport.songEntry(), 1);
    play(64u * framesPerStep(350));
    EXPECT_EQ(transport.songEntry(), 1) << "two passes";
    EXPECT_EQ(transport.queuedPattern(), 6);

    transport.stop();
    EXPECT_EQ(project.model().currentIndex(), 4) << "stopping withdraws the song's switch";
    transport.play();
    EXPECT_EQ(transport.songEntry(), 1) << "Play starts again where the song was started";
    play(64u * framesPerStep(350) * 3 / 2);
    EXPECT_EQ(transport.queuedPattern(), 6);

    ASSERT_EQ(project.setSong({{6, 1}}), "");
    EXPECT_EQ(transport.songEntry(), 0);
    EXPECT_EQ(transport.queuedPattern(), -1) << "an edit chooses the waiting entry again";
    transport.poll();
    EXPECT_EQ(transport.queuedPattern(), 6);

    transport.switchPattern(2);
    EXPECT_FALSE(transport.songOn()) << "a pattern chosen by hand ends the song";
    EXPECT_EQ(project.model().currentIndex(), 2);
    EXPECT_EQ(transport.passesToExport().size(), 1u);

    transport.playSong();
    EXPECT_TRUE(transport.songOn());
    ASSERT_EQ(project.setSong({}), "");
    EXPECT_FALSE(transport.songOn());
}
