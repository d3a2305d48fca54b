#include "core/transport/Transport.h"

#include "support/Instruments.h"

#include <gtest/gtest.h>

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
