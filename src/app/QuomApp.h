#pragma once

#include "core/edit/ToolOptions.h"
#include "core/generators/GeneratorSettings.h"
#include "core/project/Project.h"
#include "core/settings/AppFolders.h"
#include "core/settings/Settings.h"
#include "core/sync/MidiClockSync.h"
#include "core/transport/Transport.h"
#include "platform/audio/AudioOutput.h"
#include "platform/jack/JackTransportRole.h"
#include "platform/link/LinkSession.h"
#include "platform/midi/AlsaMidiOut.h"
#include "platform/midi/ClockInbox.h"
#include "platform/midi/MidiInput.h"

#include <QString>

#include <memory>
#include <vector>

// The application object: fixes the folders, loads the settings, opens the audio
// stream, runs the main window on the project, and on a normal exit stops the audio
// and saves the settings. One instance lives in main().
namespace quom {

class CQuomApp {
public:
    CQuomApp();
    ~CQuomApp();
    CQuomApp(const CQuomApp&) = delete;
    CQuomApp& operator=(const CQuomApp&) = delete;

    // Start-up: application folder (made the current folder), audio library, default
    // settings, working folders (a message box for each that cannot be created),
    // stored settings, flags cleared, audio stream opened and started.
    void InitInstance();
    // Shows the main window and returns when it closes. A non-empty file (an absolute
    // path) is loaded as if it had been dropped on the window. Recordings a crash cut
    // short are finished first, and unsaved work is kept safe while it runs
    // (WorkRecovery).
    int run(const QString& file);
    // Normal exit: stops and closes the stream, terminates the audio library, saves
    // the settings.
    void ExitInstance();

private:
    // Destroyed in reverse: the output stops calling the engine before the transport
    // takes the project's pattern back, and both go before the project. The JACK
    // transport's role and the sources followed outlive every client the output opens.
    Project project_;
    Transport transport_{project_};
    std::unique_ptr<JackTransportRole> jackTransport_;
    std::unique_ptr<MidiClockSync> midiClock_;
    ClockInbox clockInbox_; // the sequencer's clock messages on their way to midiClock_
    std::unique_ptr<LinkSession> link_;
    AudioOutput output_{transport_.engine()};
    Settings settings_;
    // Stored numbers that were out of range, told once when the window opens.
    std::vector<ClampedSetting> clampedSettings_;
    AppFolders folders_;
    // The painting tools' and the generator windows' settings, kept between windows.
    ToolOptions toolOptions_;
    GeneratorSettings generators_;
    // Made at start-up, once Qt runs; the window closes its ports.
    std::unique_ptr<MidiInput> midi_;
    // Reads the output's feed, so it goes first; ends the notes it sent as it goes.
    std::unique_ptr<AlsaMidiOut> midiOut_;
};

} // namespace quom
