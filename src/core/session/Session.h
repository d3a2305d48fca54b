#pragma once

#include "core/audio/Tempo.h"
#include "core/edit/ToolOptions.h"
#include "core/files/PatternFile.h"
#include "core/generators/CameraBlend.h"
#include "core/generators/CellFilter.h"
#include "core/generators/RandomPattern.h"
#include "core/generators/WaveSequence.h"
#include "core/io/AtomicFile.h"
#include "core/io/ReadResult.h"
#include "core/kit/Kit.h"
#include "core/model/PatternModel.h"
#include "core/model/UndoSystem.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

// The music being edited and played, apart from any window: the pattern bank with
// the current pattern and the clipboard, the undo history, the tempo and the kit
// the engine plays, the painting tools' options and the remembered settings of the
// generator windows. Every pattern command is one operation here: it takes the
// cells, changes them, puts them back and records the undo state the edit calls
// for. Windows ask the user, call an operation and repaint when told to.
//
// Threads. Window thread only. The engine reads the current pattern and the tempo
// on the audio thread (atomics, see Engine.h). Device threads (MIDI input, camera
// frames) never call the session and never touch what it owns: they hand their
// data to the window thread (a queued call or a ring), and the session acts there,
// so that every change goes through the undo history and draws on the random
// generator in one order.
namespace quom {

class Engine;

// The settings blocks of the generator windows: they outlive the windows that edit
// them, so that a window reopens with its last values.
struct GeneratorSettings {
    FilterSettings filter;
    RandomSettings random;
    CameraSettings camera;
    WaveSettings wave;
};

// What a view of the session hears about. Called on the window thread, during the
// operation that caused it.
class SessionListener {
public:
    virtual ~SessionListener() = default;
    // The cells of the current pattern changed, or another pattern became current.
    virtual void patternChanged() = 0;
    // The session set the tempo (another pattern, a pattern file, a new project).
    virtual void tempoChanged(int bpm) = 0;
    virtual void playingChanged(bool playing) = 0;
};

class Session {
public:
    // Starts with a new project, an undo history holding its empty pattern, and the
    // engine playing this session's pattern at this session's tempo.
    explicit Session(Engine& engine);
    // Takes the pattern and the tempo back from the engine: stop the audio stream
    // first, or the engine must not be rendering.
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // One listener at a time; null for none.
    void setListener(SessionListener* listener) noexcept { listener_ = listener; }

    // What the canvas and the tool windows edit in place. A change made here is
    // followed by patternChanged() (or the caller's own repaint) and recordUndo().
    PatternModel& model() noexcept { return model_; }
    const PatternModel& model() const noexcept { return model_; }
    const UndoSystem& undoHistory() const noexcept { return undo_; }
    ToolOptions& toolOptions() noexcept { return toolOptions_; }
    GeneratorSettings& generatorSettings() noexcept { return generators_; }

    // Snapshots the current pattern into the undo history: the end of a stroke, or a
    // tool window closed with Ok.
    void recordUndo();
    // Tells the listener that the cells changed.
    void patternChanged();
    // The current pattern shows cells, with no undo state: a tool window's live preview,
    // or the pattern it started from put back.
    void showCells(const Grid& cells);

    // One undoable edit of the whole current pattern. change(Grid&) returns whether
    // it changed anything worth an undo state; a void change always does.
    template <typename Change> void edit(Change change);

    // An edit of the whole current pattern with no undo state of its own: a stream of
    // controller moves, snapshotted once it rests (recordUndo).
    template <typename Change> void liveEdit(Change change);

    // The current pattern becomes cells, as one undoable edit (a pattern file, an
    // imported picture).
    void replaceCells(const Grid& cells);
    // One cell takes a colour, as one undoable edit when the colour differs.
    void setCellColor(int column, int row, Cell color);

    // Pattern commands, each one undoable edit (copy changes no cell).
    void clearPattern();
    void reverseX();
    void reverseY();
    void rotateCounterClockwise();
    void rotateClockwise();
    void shuffleRows();
    void shuffleColumns();
    void shuffleCells();
    void drum();
    void automaton();
    // Paints with generatorSettings().random.
    void randomPattern();
    // With wrap-around at every edge.
    void scroll(int columns, int rows);
    // channel 0 red, 1 green, 2 blue.
    void addColor(int channel, int amount);
    void copy();
    void cut();
    // Writes the floating paste or mix (model().selection) into the pattern and
    // clears the selection.
    void placeFloating(bool mix);
    void undo();
    void redo();

    // The tempo the engine plays and the next store keeps (the slider's value).
    // The listener is not told: the caller is the one who set it.
    void setTempo(int bpm) noexcept { tempo_.set(bpm); }
    int tempo() const noexcept { return tempo_.tempo(); }
    // The current pattern's tempo: into its slot and what plays; the listener is told.
    void setPatternTempo(int bpm);
    // The tempo as the slider would take it from elsewhere (a controller): clamped to
    // 1..350, played, and told to the listener; the slot keeps its tempo until stored.
    void changeTempo(int bpm);

    // Stores the current pattern, then, when index is another slot, makes it
    // current: its tempo plays, the selection is cleared and the undo history
    // emptied. True when the slot changed.
    bool selectPattern(int index);
    // The current pattern and its tempo into their slot.
    void storeCurrentPattern();
    // All 16 patterns emptied, every tempo 120, the first pattern current, no undo
    // history. The kit, the clipboard's cells and the settings blocks stay.
    void newProject();

    // Playback. play() starts from before the first step.
    void play();
    void stop();
    bool playing() const noexcept;
    // The column being played, -1 while stopped.
    int playingColumn() const noexcept;
    // Stops playback and rewinds every track: before a file replaces what plays,
    // and before an export.
    void stopAndRewind();
    // Previews a row's sample for one step at full volume, centred, at about its own
    // speed; a new preview cuts the last.
    void previewRow(int row) noexcept;
    // Previews a row's sample with a cell colour, for one step.
    void previewCell(int row, Cell color) noexcept;
    void stopPreview() noexcept;
    // Plays the wave file as it is on disk now, once, at its own pitch and full length;
    // a new audition cuts the last. False, playing nothing, when it cannot be read.
    bool auditionFile(const std::string& path);
    void stopAudition();
    // Master volume in percent, 0..100.
    void setVolume(int percent) noexcept;
    // 0 truncate, 1 linear, 2 quadratic; heard from the next block.
    void setInterpolation(std::uint8_t mode) noexcept;

    // The kit the engine plays; never null.
    const std::shared_ptr<const CKit>& kit() const noexcept;
    // Publishes a new kit to the engine (the old one is freed once no block reads it).
    void setKit(std::shared_ptr<const CKit> kit);
    // Frees kits and auditions the audio thread has finished with; call it now and then.
    void releaseRetired();

    // Files. On failure nothing has changed; the results name the path.
    // A project replaces every pattern, tempo and kit slot, shows its first pattern
    // and empties the undo history; it stops playback first, even when it fails.
    // The result lists the samples that could not be read, each once.
    ReadResult<std::vector<std::string>> loadProject(const std::string& path);
    WriteResult saveProject(const std::string& path);
    // A pattern file replaces the current pattern and its tempo, as an undoable edit.
    ReadResult<PatternFileData> loadPattern(const std::string& path);
    WriteResult savePattern(const std::string& path) const;
    // Reads a kit file over a copy of the current kit and plays it. opened is false,
    // and nothing changed, when the kit file cannot be read.
    CKit::LoadResult loadKit(const std::string& path, const CKit::Progress& progress = {});
    // Loads a project as loadProject does, as work that is not saved: a copy of unsaved
    // work that a crash left behind.
    ReadResult<std::vector<std::string>> restoreProject(const std::string& path);
    // At the tempo that plays, which the pattern's slot only holds once it is stored.
    WriteResult exportMidi(const std::string& path) const;
    // One pass of the current pattern, rendered off the audio thread (see WaveExport.h).
    WriteResult exportWave(const std::string& path);

    // Unsaved work: whether the project differs from the one last saved, loaded, begun
    // with New or marked saved. It compares the projects, so an edit undone is no change.
    bool hasUnsavedChanges() const;
    // The project file that Save would write now: every pattern (the current one as
    // shown, at the tempo that plays), every tempo and the kit's slots.
    std::vector<std::uint8_t> projectBytes() const;
    // The project as it is now has nothing to lose: the state at start-up.
    void markSaved();
    // Called when the project becomes one that has nothing to lose (saved, loaded, New,
    // markSaved), so that a copy kept of unsaved work can go; empty for none.
    void setSavedHook(std::function<void()> hook) { savedHook_ = std::move(hook); }

private:
    ReadResult<std::vector<std::string>> readProject(const std::string& path);
    void commit(const Grid& cells);
    void showTempo(int bpm);
    void setPlaying(bool on);

    Engine& engine_;
    PatternModel model_;
    UndoSystem undo_;
    TempoValue tempo_{kDefaultTempo};
    ToolOptions toolOptions_;
    GeneratorSettings generators_;
    SessionListener* listener_ = nullptr;
    // The project as last kept; none after a restore, which nothing on disk holds.
    std::optional<std::vector<std::uint8_t>> saved_;
    std::function<void()> savedHook_;
};

template <typename Change> void Session::liveEdit(Change change)
{
    Grid cells = model_.current().snapshot();
    change(cells);
    showCells(cells);
}

template <typename Change> void Session::edit(Change change)
{
    Grid cells = model_.current().snapshot();
    if constexpr (std::is_void_v<decltype(change(cells))>) {
        change(cells);
    } else if (!change(cells)) {
        return;
    }
    commit(cells);
}

} // namespace quom
