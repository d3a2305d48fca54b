#pragma once

#include "generators/RandomPattern.h"
#include "pattern/CanvasTools.h"
#include "pattern/CommandTable.h"

#include <optional>

// The main window's commands that reshape or generate the current pattern, its
// clipboard, and the choice of drawing tool. Each one calls the core, repaints the
// canvas and records the undo state the edit calls for. The owner places a floating
// paste (commit) before every command and before the keys that ask for it.
// Window thread only.
namespace quom {

class PatternModel;
class PatternView;
class UndoSystem;

class PatternCommands {
public:
    PatternCommands(PatternModel& model, UndoSystem& undo, PatternView& view, CanvasTools& tools);

    static bool handles(CommandId id);
    // The drawing tool a tool button selects.
    static std::optional<Tool> toolOf(CommandId id);
    // Runs a command that handles() names; false for any other.
    bool run(CommandId id);

    // Places a floating paste or mix.
    void commit();

    // The arrow keys: with wrap-around at every edge.
    void scroll(int dx, int dy);
    // The R, G and B keys: channel 0 red, 1 green, 2 blue.
    void addColour(int channel, int amount);
    // Esc: drops a floating paste or mix, else the selector's selection.
    void cancel();

    // Kept here so that the Random window opens with the values last used.
    RandomSettings& randomSettings() noexcept { return randomSettings_; }

private:
    using Handler = void (PatternCommands::*)();
    // Null for a command that is not one of these.
    static Handler handlerFor(CommandId id);

    template <typename Edit> void edit(Edit change);

    void reverseX();
    void reverseY();
    void rotateCounterClockwise();
    void rotateClockwise();
    void copy();
    void cut();
    void paste();
    void mix();
    void shuffleRows();
    void shuffleColumns();
    void shuffleCells();
    void drum();
    void automaton();
    void randomPattern();

    PatternModel& model_;
    UndoSystem& undo_;
    PatternView& view_;
    CanvasTools& tools_;
    RandomSettings randomSettings_;
};

} // namespace quom
