#pragma once

#include "core/model/Cell.h"
#include "core/model/Song.h"

#include <memory>
#include <utility>
#include <vector>

// Whole-pattern snapshots of the current pattern, with the song as it stood, for Undo
// and Redo. The history
// belongs to whichever pattern is current: the owner empties it when the pattern
// changes identity (another pattern selected, a project loaded, New).
// Window thread only.
namespace quom {

class CUndoState {
public:
    CUndoState(const Grid& cells, Song song)
        : cells_(cells)
        , song_(std::move(song))
    {
    }
    const Grid& cells() const noexcept { return cells_; }
    const Song& song() const noexcept { return song_; }

private:
    Grid cells_;
    Song song_;
};

class UndoSystem {
public:
    // Starts a fresh history holding the pattern shown (the cursor is then 0).
    void Initialise(const Grid& pattern, const Song& song = {});

    // Snapshots the pattern and the song after an edit. States undone before it are
    // discarded, so the history stays one line and Redo never jumps to an abandoned branch.
    void Record(const Grid& pattern, const Song& song = {});

    // The pattern to show after stepping back or forward, or nullptr when there is
    // nothing to undo or redo. The pointer is valid until the next Record or Empty.
    const Grid* Undo();
    const Grid* Redo();

    // The song of the state that matches what is shown; empty when the history is.
    const Song& song() const noexcept;

    // Forgets every state; the next Record starts a new history.
    void Empty();

    int cursor() const noexcept { return cursor_; }
    int size() const noexcept { return static_cast<int>(states_.size()); }

private:
    std::vector<std::unique_ptr<CUndoState>> states_;
    int cursor_ = -1; // the state that matches the pattern shown; -1 when empty
};

} // namespace quom
