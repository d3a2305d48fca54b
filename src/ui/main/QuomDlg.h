#pragma once

#include "core/edit/ToolOptions.h"
#include "core/generators/GeneratorSettings.h"
#include "core/midi/LiveControl.h"
#include "core/project/Project.h"
#include "core/transport/Transport.h"
#include "ui/controls/StatusLineOwner.h"
#include "ui/controls/UserPrompts.h"
#include "ui/main/CanvasGeometry.h"
#include "ui/main/CommandTable.h"

#include <QDialog>
#include <QTimer>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <span>

class QLabel;
class QSessionManager;

// The main window: a view of the project and the transport. It shows the canvas, the
// command buttons, the tempo and volume sliders and the current pattern's number,
// turns the mouse and the keyboard into commands of the command table, asks the user
// what a command needs (files, confirmations) and repaints when the project says the
// music changed. The music itself, and every change to it, is the project's; playing
// it is the transport's. Window thread only.
namespace quom {

struct AppFolders;
class AudioOutput;
class AlsaMidiOut;
class LinkSession;
class MidiClockSync;
class MidiInput;
class CanvasTools;
struct ExportJob;
enum class StemFormat;
class CBrushButton;
class CCommandButton;
class CSongDlg;
class GUIcolorButton;
class PatternView;
class PlaybackMarker;
class QuomSlider;
class ToolPanels;
struct Settings;

class CQuomDlg : public QDialog, public StatusLineOwner, private ProjectListener, private TransportListener {
    Q_OBJECT

public:
    // What the window is a view of, and the services it uses; all outlive it.
    struct Context {
        Project& project;
        Transport& transport;
        AudioOutput& output;
        Settings& settings; // the settings window edits them
        AppFolders& folders; // the file windows replace a folder with the last path chosen
        ToolOptions& toolOptions;
        GeneratorSettings& generators;
        MidiInput* midi = nullptr; // none: no MIDI control
        AlsaMidiOut* midiOut = nullptr; // none: no MIDI out on the ALSA sequencer
        const MidiClockSync* midiClock = nullptr; // the clock followed, if any
        LinkSession* link = nullptr; // the Link session followed, if any
        QSize room{}; // what the window must fit in; empty: the available area of its screen
    };

    explicit CQuomDlg(Context context, QWidget* parent = nullptr);
    // Stops playback and ends a recording in progress.
    ~CQuomDlg() override;

    const CanvasGeometry& geometry() const noexcept { return geometry_; }
    PatternView& view() noexcept { return *view_; }
    QuomSlider& tempoSlider() noexcept { return *tempo_.slider; }
    QuomSlider& volumeSlider() noexcept { return *volume_.slider; }
    const QLabel& patternLabel() const noexcept { return *patternLabel_; }
    CCommandButton* button(CommandId id) const;
    CBrushButton& gridButton() noexcept { return *grid_; }
    GUIcolorButton& pickedColorSwatch() noexcept { return *pickedColor_; }
    const CanvasTools& tools() const noexcept { return *tools_; }

    // Tests answer in place of the user.
    void setPrompts(std::unique_ptr<UserPrompts> prompts);

    // Runs a command as its button does. False when the command is not available yet.
    bool runCommand(CommandId id);

    // Makes the cells steps pixels larger (smaller when negative), as far as the screen
    // allows, lays the window out again and keeps the zoom in the settings.
    void zoomBy(int steps);

    // A file dropped on the window, or named on the command line.
    void openDroppedFile(const QString& path);

    // Opens the MIDI input port of the settings, and Quom's own; says so when the port
    // cannot be opened although there are ports, and plays on without it.
    void openMidiInput();
    // Connects MIDI out to the chosen port and sends MIDI clock or not, as the settings say.
    // The ports MIDI OUT port counts: the sequencer's destinations, then JACK's.
    std::vector<std::string> midiOutDestinations() const;
    void applyMidiOut();
    // One message from a MIDI controller, acted on in arrival order (QuomDlgMidi.cpp).
    void applyMidiMessage(std::uint32_t message);

    // Commands that take a path, as the file dialogs and drops hand it over.
    void loadProject(const QString& path);
    void loadPattern(const QString& path);

    void showStatusText(const QString& text) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The close box, the window manager, a quit: unsaved changes are asked about first
    // (QuomDlgClosing.cpp).
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // The rows of the command table name the window's command handlers.
    friend std::span<const CommandEntry> commandTable();

    void buildControls();
    void buildSliders();
    // The layout (QuomDlgLayout.cpp). placeControls puts the canvas and every control
    // where the geometry says and sizes the window; setCanvasGeometry does so for a new
    // geometry and keeps the window on its screen; applyZoom lays the window out at the
    // zoom of the settings when that changes the cells.
    void placeControls();
    void setCanvasGeometry(const CanvasGeometry& geometry);
    void applyZoom();
    // The area the window must fit in.
    QSize availableRoom() const;
    void showPatternNumber();
    // The standing notices under the status text.
    void showNotices();
    // Says when the JACK server goes away and returns; Quom reconnects by itself.
    void checkAudioServer();
    // Another program's tempo on the slider, its play state on the Play button, and
    // whether it went away, while Quom follows one.
    void watchFollowedSource();
    void showFollowedSource();
    // The drawing tools on the canvas and their option panels (QuomDlgEditing.cpp).
    void buildEditing();
    bool handleKey(const QKeyEvent& key);
    void auditionRowUnderMouse();
    void showError(const QString& format, const QString& path);
    // One message for every sample a load could not read, none when all were read.
    void showUnreadableSamples(const std::vector<ReadError>& failures);
    // Reads a kit file into the current kit; false when the file cannot be read.
    bool loadKit(const QString& path);
    // The title: the stream's CPU load, once a second and after each command, then the
    // project's file with a mark while it has unsaved changes.
    void ShowCpuLoad();
    // Asks what becomes of unsaved changes before they would be lost: true when nothing
    // is left to lose (saved, discarded, or none), false to stay open (QuomDlgClosing.cpp).
    bool settleUnsavedWork();
    // The desktop session is ending: the same question when the session lets us ask.
    void commitSessionData(QSessionManager& manager);

    // ProjectListener and TransportListener.
    void leavingPattern() override;
    void patternChanged() override;
    void tempoChanged(int bpm) override;
    void patternReturned() override;
    void playingChanged(bool playing) override;

    // Commands of the table that need the user or the window (QuomDlgCommands.cpp).
    void newProject();
    void clearPattern();
    void playOrStop();
    void toggleRecording();
    void toggleGrid();
    void about();
    void paste();
    void mix();
    void randomPattern();
    void openKitEditor();
    void choosePattern();
    void openSettings();
    void mutateColours();
    void colourCurves();
    void offsetColours();
    void waveSequence();
    void applyFilterCommand();
    void webcamCapture();
    // The pencil's Ctrl+click: one cell's colour set exactly.
    void editCellColor(QPoint cell);

    // File commands (QuomDlgFiles.cpp).
    void loadProjectCommand();
    void saveProject();
    void loadPatternCommand();
    void savePattern();
    void exportMidi();
    void importImage();
    void exportWave();
    void exportStems();
    // Takes what the transport exports, then has write make the files from it on another
    // thread, the live engine muted and the windows drawing; the busy window's Cancel sets
    // stop. False, with a message, when a wave file of format could not hold it.
    bool runExport(const QString& text, StemFormat format,
        const std::function<void(const ExportJob&, const std::atomic<bool>& stop)>& write);

    // The song (QuomDlgSong.cpp).
    void toggleSong();
    void openSongWindow();
    // The entry selected in the song window, which the song plays from; -1 when none is
    // or the window is not open.
    int songWindowSelection() const;

    Project& project_;
    Transport& transport_;
    AudioOutput& output_;
    Settings& settings_;
    AppFolders& folders_;
    ToolOptions& toolOptions_;
    GeneratorSettings& generators_;
    MidiInput* midi_;
    AlsaMidiOut* midiOut_;
    const MidiClockSync* midiClock_;
    LinkSession* link_;
    QTimer followPoll_;
    bool following_ = false;
    bool showingFollowedTempo_ = false; // the slider's change is not the user's
    LiveControl liveControl_;
    // Restarted by every controller move: when it runs out the moves so far become one
    // undo state.
    QTimer midiRest_;
    const QSize room_;
    CanvasGeometry geometry_;
    std::unique_ptr<UserPrompts> prompts_;
    PatternView* view_ = nullptr;
    CanvasTools* tools_ = nullptr;
    std::unique_ptr<ToolPanels> panels_;
    // A slider with its caption on the left and its value on the right.
    struct SliderRow {
        QLabel* caption = nullptr;
        QuomSlider* slider = nullptr;
        QLabel* value = nullptr;
    };
    SliderRow tempo_;
    SliderRow volume_;
    QLabel* patternLabel_ = nullptr;
    QString audioNotice_;
    QString recordingNotice_;
    QString midiNotice_;
    QString syncNotice_;
    CBrushButton* grid_ = nullptr;
    GUIcolorButton* pickedColor_ = nullptr;
    std::map<CommandId, CCommandButton*> buttons_;
    PlaybackMarker* marker_ = nullptr;
    // Made when first opened, then kept and raised: one song window.
    CSongDlg* songWindow_ = nullptr;
    int cpuTimer_ = 0;
    int wheelRemainder_ = 0;
    // A session ended without leave to ask: the window closes, and unsaved work waits in
    // the recovery copy for the next start.
    bool closesUnattended_ = false;
};

} // namespace quom
