#include "platform/midi/AlsaMidiOut.h"

#include "core/audio/Engine.h"
#include "core/audio/MidiOutFeed.h"

#include <alsa/asoundlib.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// Needs the ALSA sequencer: a machine without one (no /dev/snd) skips these.
namespace quom {
namespace {

std::int64_t nowMicros()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct Arrival {
    snd_seq_event_type_t type;
    int note;
    std::int64_t micros;
};

// Another client with a port that takes MIDI, noting what arrives and when.
class Listener {
public:
    Listener()
    {
        if (snd_seq_open(&seq_, "default", SND_SEQ_OPEN_INPUT, SND_SEQ_NONBLOCK) < 0)
            return;
        snd_seq_set_client_name(seq_, "Quom test listener");
        port_ = snd_seq_create_simple_port(seq_, "In", SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
            SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    }
    ~Listener()
    {
        if (seq_)
            snd_seq_close(seq_);
    }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    std::string address() const
    {
        return " " + std::to_string(snd_seq_client_id(seq_)) + ":" + std::to_string(port_);
    }

    // Waits for count events (at most 5 s, so that a fault fails rather than hangs).
    std::vector<Arrival> receive(std::size_t count)
    {
        std::vector<Arrival> arrivals;
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (arrivals.size() < count && std::chrono::steady_clock::now() < giveUp) {
            snd_seq_event_t* event = nullptr;
            if (snd_seq_event_input(seq_, &event) < 0 || !event) {
                std::this_thread::sleep_for(std::chrono::microseconds(100));
                continue;
            }
            const bool isNote = event->type == SND_SEQ_EVENT_NOTEON || event->type == SND_SEQ_EVENT_NOTEOFF;
            arrivals.push_back({event->type, isNote ? event->data.note.note : -1, nowMicros()});
        }
        return arrivals;
    }

private:
    snd_seq_t* seq_ = nullptr;
    int port_ = -1;
};

TEST(AlsaMidiOut, SchedulesEachMessageForItsTimeAndEndsHeldNotesWhenItCloses)
{
    MidiOutFeed feed;
    auto out = std::make_unique<AlsaMidiOut>(feed);
    if (!out->isOpen())
        GTEST_SKIP() << "no ALSA sequencer on this machine";
    Listener listener;
    const std::vector<std::string> names = out->destinationNames();
    int index = -1;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].ends_with(listener.address()))
            index = static_cast<int>(i);
    }
    ASSERT_GE(index, 0);
    EXPECT_FALSE(out->connect(static_cast<int>(names.size())));
    ASSERT_TRUE(out->connect(index));

    // One cell of row 0 in the first column: its pan, then its note.
    LiveGrid grid;
    grid.set(0, 0, makeCell(200, 128, 128));
    TempoValue tempo;
    Engine engine;
    engine.setPattern(&grid);
    engine.setTempoSource(&tempo);
    engine.setPlaying(true);
    std::vector<float> buffer(2 * 256);
    const std::int64_t due = nowMicros() + 200'000;
    feed.beforeRender(engine, nullptr);
    engine.Render(256, buffer.data());
    feed.afterRender(engine, {0, 256, due, 44100});

    const std::vector<Arrival> played = listener.receive(2);
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[0].type, SND_SEQ_EVENT_CONTROLLER);
    EXPECT_EQ(played[1].type, SND_SEQ_EVENT_NOTEON);
    for (const Arrival& arrival : played)
        EXPECT_GE(arrival.micros, due - 1000) << "sent on time, not as soon as handed over";

    // The note is still sounding: closing ends it.
    out.reset();
    const std::vector<Arrival> ended = listener.receive(1);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].type, SND_SEQ_EVENT_NOTEOFF);
    EXPECT_EQ(ended[0].note, played[1].note);
}

} // namespace
} // namespace quom
