#pragma once

#include "app/AppFolders.h"
#include "app/Settings.h"
#include "audio/AudioSource.h"
#include "audio/AudioStream.h"
#include "audio/Engine.h"
#include "audio/Recorder.h"

#include <QString>

#include <memory>

class QWidget;

// The application object: fixes the folders, loads the settings, opens the audio
// stream, runs the main window, and on a normal exit stops the audio and saves the
// settings. One instance lives in main(); theApp() reaches it from every window.
namespace quom {

class CQuomApp : private AudioSource {
public:
    CQuomApp();
    ~CQuomApp() override;
    CQuomApp(const CQuomApp&) = delete;
    CQuomApp& operator=(const CQuomApp&) = delete;

    // Start-up: application folder (made the current folder), audio library, default
    // settings, working folders (a message box for each that cannot be created),
    // stored settings, flags cleared, audio stream opened and started.
    void InitInstance();
    // Shows the main window and returns when it closes. A non-empty file (an absolute
    // path) is loaded as if it had been dropped on the window.
    int Run(const QString& file);
    // Normal exit: stops and closes the stream, terminates the audio library, saves
    // the settings.
    void ExitInstance();

    // Read and changed by the windows (the settings window edits them; the file
    // windows replace a folder with the last path chosen, for the run).
    Settings& settings() noexcept { return settings_; }
    AppFolders& folders() noexcept { return folders_; }

    // The engine the stream plays. Its flags: playing, and offlineRender, set while
    // wave export renders on the window thread (the stream then plays silence, so
    // that the engine is never run by two threads at once).
    Engine& engine() noexcept { return engine_; }

    // The Record command: starts a new numbered recording in the Output folder, or
    // completes the one in progress. Returns whether a recording is now running; a
    // file that cannot be created leaves recording off.
    bool ToggleRecording();
    bool recording() const noexcept { return recorder_.recording(); }

    // Output devices for the settings window.
    std::vector<std::string> OutputDeviceNames() const;
    // Sets the window title to the stream's CPU load; called once a second.
    void ShowCpuLoad(QWidget& window) const;

private:
    void Render(float* interleavedStereo, unsigned long frames) noexcept override;

    Engine engine_;
    Recorder recorder_;
    Settings settings_;
    AppFolders folders_;
    // Created at start-up, after the folder is fixed; closed before the engine and
    // the recorder it calls go.
    std::unique_ptr<AudioStream> stream_;
};

// The one application object.
CQuomApp& theApp();

} // namespace quom
