#pragma once

#include "core/files/MidiMapping.h"
#include "core/files/PatternFile.h"
#include "core/io/AtomicFile.h"
#include "core/io/ReadResult.h"
#include "core/kit/Kit.h"
#include "core/model/PatternModel.h"
#include "core/model/Song.h"
#include "core/model/Tempo.h"
#include "core/model/UndoSystem.h"
#include "core/operations/PatternOperations.h"
#include "core/project/PatternLoan.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The music being edited, apart from any window and from playing it: the 16 patterns
// and their tempos with the current pattern, the undo history, the clipboard, the kit
// the project names, and its files. Every pattern command is one edit here: it takes
// the cells, changes them (an operation of the registry, core/operations), puts them
// back and records the undo state the edit calls for. Windows ask the user, call an
// operation and repaint when told to; the Transport plays the current pattern.
//
// Threads. Window thread only. The engine reads the current pattern and the tempo on
// the audio thread (atomics: LiveGrid, TempoValue). Device threads (MIDI input, camera
// frames) never call the project: they hand their data to the window thread, and the
// project changes there, so that every change goes through the undo history and draws
// on the random generator in one order.
namespace quom {

struct ProjectFileData;

// What a view of the project hears about. Called on the window thread, during the
// operation that caused it.
class ProjectListener {
public:
    virtual ~ProjectListener() = default;
    // Another pattern is about to become current: an edit still pending on the one
    // shown (a floating paste) lands now, before the pattern is stored.
    virtual void leavingPattern() { }
    // The cells of the current pattern changed, or another pattern became current.
    virtual void patternChanged() { }
    // The project set the tempo (another pattern, a pattern file, a new project).
    virtual void tempoChanged(int /*bpm*/) { }
    // The project names another kit (loaded, edited, read with a project file).
    virtual void kitChanged() { }
    // The last window holding the pattern (PatternLoan) let it go: others may write it.
    virtual void patternReturned() { }
    // The song changed (an edit, undo or redo, a project read or begun).
    virtual void songChanged() { }
};

// How much of a project file the command line needs.
enum class SampleLoading {
    Load, // every named sample is read
    Skip, // only the slots' names and flags
};

class Project {
public:
    // A new project with an empty kit and an undo history holding its empty pattern.
    Project();
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;

    // Each listener is told in the order added; remove one before it goes.
    void addListener(ProjectListener* listener);
    void removeListener(ProjectListener* listener);

    // What the canvas and the tool windows edit in place. A change made here is
    // followed by patternChanged() (or the caller's own repaint) and recordUndo().
    PatternModel& model() noexcept { return model_; }
    const PatternModel& model() const noexcept { return model_; }
    const UndoSystem& undoHistory() const noexcept { return undo_; }

    // Whether a window holds the pattern (PatternLoan).
    bool patternLent() const noexcept { return loans_ > 0; }

    // Snapshots the current pattern into the undo history: the end of a stroke, or a
    // tool window closed with Ok.
    void recordUndo();
    // Tells the listeners that the cells changed.
    void patternChanged();
    // The current pattern shows cells, with no undo state: a tool window's live preview,
    // or the pattern it started from put back.
    void showCells(const Grid& cells);

    // An operation of the registry on the current pattern, as one edit with the undo
    // state the registry names for it.
    void apply(const PatternOperation& operation);
    // The same with no undo state of its own: a stream of controller moves,
    // snapshotted once it rests (recordUndo).
    void applyLive(const PatternOperation& operation);

    // The current pattern becomes cells, as one undoable edit (a pattern file, an
    // imported picture).
    void replaceCells(const Grid& cells);
    // One cell takes a colour, as one undoable edit when the colour differs.
    void setCellColor(int column, int row, Cell color);

    // The clipboard and the history, each one undoable edit but copy, which changes no
    // cell, and undo and redo themselves.
    void copy();
    void cut();
    // Writes the floating paste or mix (model().selection) into the pattern and
    // clears the selection.
    void placeFloating(bool mix);
    void undo();
    void redo();

    // The current pattern's tempo as it plays and as the next store keeps it (the
    // slider's value). The listeners are not told: the caller is the one who set it.
    void setTempo(int bpm) noexcept { tempo_.set(bpm); }
    int tempo() const noexcept { return tempo_.tempo(); }
    // What the engine reads on the audio thread.
    const TempoSource& tempoSource() const noexcept { return tempo_; }
    // The current pattern's tempo: into its slot and what plays; the listeners are told.
    void setPatternTempo(int bpm);
    // The tempo as the slider would take it from elsewhere (a controller): clamped to
    // 1..350, played, and told to the listeners; the slot keeps its tempo until stored.
    void changeTempo(int bpm);

    // Stores the current pattern, then, when index is another slot, makes it
    // current: its tempo plays, the selection is cleared and the undo history
    // emptied. True when the slot changed.
    bool selectPattern(int index);
    // The current pattern and its tempo into their slot.
    void storeCurrentPattern();
    // All 16 patterns emptied, every tempo 120, the first pattern current, no song, no
    // undo history. The kit, the clipboard's cells and the settings blocks stay.
    void newProject();

    // The patterns in the order a song plays them; empty: no song.
    const Song& song() const noexcept { return song_; }
    // The song becomes song as one undoable edit, and the listeners are told. A song
    // that cannot be one (songProblem, core/operations/SongText.h) is refused: the
    // result says why and nothing changed. Empty when taken.
    std::string setSong(Song song);

    // The kit the project names and the engine plays; never null.
    const std::shared_ptr<const CKit>& kit() const noexcept { return kit_; }
    // The kit becomes another; the listeners are told (the Transport publishes it).
    void setKit(std::shared_ptr<const CKit> kit);

    // How every sample read from now on takes its file's own rate; AsIf44100 at first.
    FileRate fileRate() const noexcept { return fileRate_; }
    // The kit's samples whose files declare another rate than 44100 Hz are read again the
    // new way, so the change is heard at once. The result lists those that could not be
    // read, each once; they keep their samples.
    std::vector<ReadError> setFileRate(FileRate rate);

    // Files. On failure nothing has changed; the results name the path. Stop the
    // Transport first: what plays is replaced.
    // A project replaces every pattern, tempo, kit slot and the song, shows its first
    // pattern and empties the undo history. The result lists the samples that could not
    // be read, each once, and why, and a section of the file that was skipped.
    ReadResult<std::vector<ReadError>> loadProject(const std::string& path);
    // The same from the bytes of a file read already (the command line reads its input
    // once to tell a project from a pattern); path names the file in errors.
    ReadResult<std::vector<ReadError>> loadProject(
        std::span<const std::uint8_t> bytes, const std::string& path, SampleLoading samples);
    WriteResult saveProject(const std::string& path);
    // A pattern file replaces the current pattern and its tempo, as an undoable edit.
    ReadResult<PatternFileData> loadPattern(const std::string& path);
    ReadResult<PatternFileData> loadPattern(std::span<const std::uint8_t> bytes, const std::string& path);
    WriteResult savePattern(const std::string& path) const;
    // Reads a kit file over a copy of the current kit and names it. opened is false,
    // and nothing changed, when the kit file cannot be read.
    CKit::LoadResult loadKit(const std::string& path, const CKit::Progress& progress = {});
    // Loads a project as loadProject does, as work that is not saved: a copy of unsaved
    // work that a crash left behind.
    ReadResult<std::vector<ReadError>> restoreProject(const std::string& path);
    // At the tempo that plays, which the pattern's slot only holds once it is stored.
    WriteResult exportMidi(const std::string& path, MidiMapping mapping = MidiMapping::Export) const;

    // Unsaved work: whether the project differs from the one last saved, loaded, begun
    // with New or marked saved. It compares the projects, so an edit undone is no change.
    bool hasUnsavedChanges() const;
    // The project file that Save would write now: every pattern (the current one as
    // shown, at the tempo that plays), every tempo, the kit's slots and the song.
    std::vector<std::uint8_t> projectBytes() const;
    // The project file last loaded or saved; empty for a project begun with New or
    // restored from a copy of unsaved work, which no file holds.
    const std::string& filePath() const noexcept { return filePath_; }
    // The project as it is now has nothing to lose: the state at start-up, or work the
    // user chose to discard.
    void markSaved();
    // Called when the project becomes one that has nothing to lose (saved, loaded, New,
    // markSaved), so that a copy kept of unsaved work can go; empty for none.
    void setSavedHook(std::function<void()> hook) { savedHook_ = std::move(hook); }

private:
    friend class PatternLoan;

    ReadResult<std::vector<ReadError>> applyProjectFile(
        const ReadResult<ProjectFileData>& project, const std::string& path, SampleLoading samples);
    ReadResult<PatternFileData> applyPatternFile(ReadResult<PatternFileData> pattern);
    // One undoable edit of the whole current pattern. change(Grid&) returns whether
    // it changed anything worth an undo state.
    template <typename Change> void edit(Change change);
    void commit(const Grid& cells);
    void showTempo(int bpm);
    void showSong(const Song& song);
    void endLoan();
    template <typename Call> void tell(Call call);

    PatternModel model_;
    UndoSystem undo_;
    TempoValue tempo_{kDefaultTempo};
    std::shared_ptr<const CKit> kit_ = std::make_shared<const CKit>();
    FileRate fileRate_ = FileRate::AsIf44100;
    Song song_;
    std::vector<ProjectListener*> listeners_;
    int loans_ = 0;
    // The project as last kept; none after a restore, which nothing on disk holds.
    std::optional<std::vector<std::uint8_t>> saved_;
    std::string filePath_;
    std::function<void()> savedHook_;
};

} // namespace quom
