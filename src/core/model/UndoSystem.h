#pragma once

#include "core/model/Cell.h"

#include <memory>
#include <vector>

// Whole-pattern snapshots of the current pattern, for Undo and Redo. The history
// belongs to whichever pattern is current: the owner empties it when the pattern
// changes identity (another pattern selected, a project loaded, New).
// Window thread only.
namespace quom {

class CUndoState {
public:
    explicit CUndoState(const Grid& cells)
        : cells_(cells)
    {
    }
    const Grid& cells() const noexcept { return cells_; }

private:
    Grid cells_;
};

class UndoSystem {
public:
    // Starts a fresh history holding the pattern shown (the cursor is then 0).
    void Initialise(const Grid& pattern);

    // Snapshots the pattern after an edit. States undone before it are discarded, so
    // the history stays one line and Redo never jumps to an abandoned branch.
    void Record(const Grid& pattern);

    // The pattern to show after stepping back or forward, or nullptr when there is
    // nothing to undo or redo. The pointer is valid until the next Record or Empty.
    const Grid* Undo();
    const Grid* Redo();

    // Forgets every state; the next Record starts a new history.
    void Empty();

    int cursor() const noexcept { return cursor_; }
    int size() const noexcept { return static_cast<int>(states_.size()); }

private:
    std::vector<std::unique_ptr<CUndoState>> states_;
    int cursor_ = -1; // the state that matches the pattern shown; -1 when empty
};

} // namespace quom
