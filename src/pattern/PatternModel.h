#pragma once

#include "audio/Tempo.h"
#include "pattern/Cell.h"
#include "pattern/LiveGrid.h"

#include <array>
#include <cstdint>
#include <functional>

// The 16 patterns of a project with their tempos, the pattern being edited and
// played, and the working grids of the editing tools. Window thread, except that
// the engine reads current() from the audio thread and the MIDI and camera threads
// may write its cells.
namespace quom {

// Four inclusive cell coordinates. While a selection is dragged, left/top is the
// anchor and right/bottom the moving corner. All four zero is the empty mark, so a
// rectangle of just the cell (0, 0) counts as empty.
struct CellRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool empty() const noexcept { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // The same cells with left <= right and top <= bottom.
    CellRect ordered() const noexcept;
    bool operator==(const CellRect&) const = default;
};

class PatternModel {
public:
    // What the model asks of the window: the tempo slider, the undo history and the
    // canvas's tool state are the window's. Unset hooks are skipped.
    struct Hooks {
        std::function<void(int tempo)> setTempo; // move the tempo slider (1..350)
        std::function<void()> emptyUndoHistory;
        std::function<void()> resetToolState; // lines, sprays, drags, hand anchors
    };

    PatternModel() { ResetProject(); }
    PatternModel(const PatternModel&) = delete;
    PatternModel& operator=(const PatternModel&) = delete;

    void setHooks(Hooks hooks) { hooks_ = std::move(hooks); }
    // The tempo Store reads (the slider). Null: the default tempo.
    void setTempoSource(const TempoSource* tempo) noexcept { tempo_ = tempo; }

    LiveGrid& current() noexcept { return current_; }
    const LiveGrid& current() const noexcept { return current_; }
    Grid& scratch() noexcept { return scratch_; }
    Grid& pasteBuffer() noexcept { return paste_; }
    Grid& filterGrid() noexcept { return filter_; }

    int currentIndex() const noexcept { return index_; }
    const Grid& slot(int index) const noexcept { return bank_[index]; }
    void setSlot(int index, const Grid& cells) noexcept { bank_[index] = cells; }
    // As stored (a file's value as read); clampTempo where it drives anything.
    int tempo(int index) const noexcept { return tempos_[index]; }
    void setTempo(int index, int bpm) noexcept { tempos_[index] = bpm; }

    CellRect selection;
    CellRect clip; // empty: nothing to paste

    // The current pattern and the slider's tempo into their slot.
    void StoreCurrentPattern();

    // Stores the current pattern, then, when index is another slot, makes it current:
    // its tempo goes to the slider, the selection is cleared and the undo history
    // emptied. True when the slot changed (the canvas needs a repaint).
    bool SelectPattern(int index);

    // Makes slot index current without storing the pattern being edited (loading a
    // project replaces the bank first). Tempo to the slider, selection cleared, undo
    // history emptied.
    void ShowSlot(int index);

    // A new project: all cells 0, every tempo 120, slot 0 current, no selection and
    // no clip. The scratch, paste and filter cells are left: without their
    // rectangles they mean nothing.
    void ResetProject();

private:
    int sliderTempo() const noexcept { return tempo_ ? tempo_->tempo() : kDefaultTempo; }

    std::array<int, kPatternSlots> tempos_{};
    std::array<Grid, kPatternSlots> bank_{};
    LiveGrid current_;
    Grid scratch_{};
    Grid paste_{};
    Grid filter_{};
    int index_ = 0;
    const TempoSource* tempo_ = nullptr;
    Hooks hooks_;
};

} // namespace quom
