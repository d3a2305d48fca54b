#pragma once

#include "core/model/Cell.h"
#include "core/model/LiveGrid.h"

#include <array>
#include <cstdint>

// The 16 patterns of a project with their tempos, the pattern being edited and
// played, and the working grids of the editing tools. Plain data: the project
// (core/project) decides what changes with what, and records the undo states.
//
// Threads. Window thread only, except that the engine reads current() from the
// audio thread. Device threads (MIDI input, camera frames) never write here: they
// hand their data to the window thread, and the project changes the pattern there,
// so that every change goes through the undo history and the random generator in
// the window's order.
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
    PatternModel() { resetProject(); }
    PatternModel(const PatternModel&) = delete;
    PatternModel& operator=(const PatternModel&) = delete;

    LiveGrid& current() noexcept { return current_; }
    const LiveGrid& current() const noexcept { return current_; }
    Grid& scratch() noexcept { return scratch_; }
    Grid& pasteBuffer() noexcept { return paste_; }
    const Grid& pasteBuffer() const noexcept { return paste_; }
    Grid& filterGrid() noexcept { return filter_; }

    int currentIndex() const noexcept { return index_; }
    const Grid& slot(int index) const noexcept { return bank_[index]; }
    void setSlot(int index, const Grid& cells) noexcept { bank_[index] = cells; }
    // As stored (a file's value as read); clampTempo where it drives anything.
    int tempo(int index) const noexcept { return tempos_[index]; }
    void setTempo(int index, int bpm) noexcept { tempos_[index] = bpm; }

    CellRect selection;
    CellRect clip; // empty: nothing to paste

    // The current pattern, and the tempo it plays at, into its slot.
    void storeCurrentPattern(int tempo) noexcept;

    // Makes slot index current without storing the pattern being edited (select
    // stores it first; loading a project replaces the bank first). The selection is
    // cleared. False, with nothing changed, for an index outside the bank.
    bool showSlot(int index) noexcept;

    // A new project: all cells 0, every tempo 120, slot 0 current, no selection and
    // no clip. The scratch, paste and filter cells are left: without their
    // rectangles they mean nothing.
    void resetProject() noexcept;

private:
    std::array<int, kPatternSlots> tempos_{};
    std::array<Grid, kPatternSlots> bank_{};
    LiveGrid current_;
    Grid scratch_{};
    Grid paste_{};
    Grid filter_{};
    int index_ = 0;
};

} // namespace quom
