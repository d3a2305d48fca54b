#include "pattern/PatternCommands.h"

#include "generators/Automaton.h"
#include "generators/RandomDlg.h"
#include "pattern/Clipboard.h"
#include "pattern/Drum.h"
#include "pattern/PatternModel.h"
#include "pattern/PatternView.h"
#include "pattern/Transforms.h"
#include "pattern/UndoSystem.h"

#include <optional>
#include <type_traits>

namespace quom {

std::optional<Tool> PatternCommands::toolOf(CommandId id)
{
    switch (id) {
    case CommandId::Pencil:
        return Tool::Pencil;
    case CommandId::Eraser:
        return Tool::Eraser;
    case CommandId::Line:
        return Tool::Line;
    case CommandId::Aero:
        return Tool::Aero;
    case CommandId::Hand:
        return Tool::Hand;
    case CommandId::Selector:
        return Tool::Selector;
    case CommandId::EyeDropper:
        return Tool::EyeDropper;
    default:
        return std::nullopt;
    }
}

PatternCommands::PatternCommands(PatternModel& model, UndoSystem& undo, PatternView& view, CanvasTools& tools)
    : model_(model)
    , undo_(undo)
    , view_(view)
    , tools_(tools)
{
}

PatternCommands::Handler PatternCommands::handlerFor(CommandId id)
{
    switch (id) {
    case CommandId::RevX:
        return &PatternCommands::reverseX;
    case CommandId::RevY:
        return &PatternCommands::reverseY;
    case CommandId::Rotate:
        return &PatternCommands::rotateCounterClockwise;
    case CommandId::Rotate2:
        return &PatternCommands::rotateClockwise;
    case CommandId::Copy:
        return &PatternCommands::copy;
    case CommandId::Cut:
        return &PatternCommands::cut;
    case CommandId::Paste:
        return &PatternCommands::paste;
    case CommandId::Mix:
        return &PatternCommands::mix;
    case CommandId::LineH:
        return &PatternCommands::shuffleRows;
    case CommandId::LineV:
        return &PatternCommands::shuffleColumns;
    case CommandId::Cells:
        return &PatternCommands::shuffleCells;
    case CommandId::Drum:
        return &PatternCommands::drum;
    case CommandId::Automata:
        return &PatternCommands::automaton;
    case CommandId::Rnd:
        return &PatternCommands::randomPattern;
    default:
        return nullptr;
    }
}

bool PatternCommands::handles(CommandId id)
{
    return handlerFor(id) || toolOf(id);
}

bool PatternCommands::run(CommandId id)
{
    if (const Handler handler = handlerFor(id)) {
        (this->*handler)();
        return true;
    }
    if (const auto tool = toolOf(id)) {
        tools_.selectTool(*tool);
        return true;
    }
    return false;
}

void PatternCommands::commit()
{
    tools_.placeFloating();
}

// One undoable edit of the whole pattern. change returns whether it changed
// anything worth an undo state; a void change always does.
template <typename Edit> void PatternCommands::edit(Edit change)
{
    Grid cells = model_.current().snapshot();
    if constexpr (std::is_void_v<decltype(change(cells))>) {
        change(cells);
    } else if (!change(cells)) {
        return;
    }
    model_.current().assign(cells);
    view_.update();
    undo_.Record(cells);
}

void PatternCommands::reverseX()
{
    edit([](Grid& g) { quom::reverseX(g); });
}

void PatternCommands::reverseY()
{
    edit([](Grid& g) { quom::reverseY(g); });
}

void PatternCommands::rotateCounterClockwise()
{
    edit([](Grid& g) { rotateQuarterTurns(g, -1); });
}

void PatternCommands::rotateClockwise()
{
    edit([](Grid& g) { rotateQuarterTurns(g, 1); });
}

void PatternCommands::scroll(int dx, int dy)
{
    edit([=](Grid& g) { quom::scroll(g, dx, dy); });
}

void PatternCommands::shuffleRows()
{
    edit([](Grid& g) { quom::shuffleRows(g); });
}

void PatternCommands::shuffleColumns()
{
    edit([](Grid& g) { quom::shuffleColumns(g); });
}

void PatternCommands::shuffleCells()
{
    edit([](Grid& g) { quom::shuffleCells(g); });
}

void PatternCommands::addColour(int channel, int amount)
{
    edit([=](Grid& g) {
        return offsetColours(
            g, channel == 0 ? amount : 0, channel == 1 ? amount : 0, channel == 2 ? amount : 0);
    });
}

void PatternCommands::drum()
{
    edit([](Grid& g) { makeDrumPattern(g); });
}

void PatternCommands::automaton()
{
    edit([](Grid& g) { evolve(g); });
}

void PatternCommands::randomPattern()
{
    // Over the main window, as its own window: centred on it and kept above it.
    RandomDlg dialog(randomSettings_, view_.window());
    if (dialog.exec() == QDialog::Accepted)
        edit([this](Grid& g) { paintRandomPattern(g, randomSettings_); });
}

void PatternCommands::copy()
{
    copySelection(model_.current().snapshot(), model_.selection, model_.pasteBuffer(), model_.clip);
    view_.update();
}

void PatternCommands::cut()
{
    edit([this](Grid& g) { return cutSelection(g, model_.selection, model_.pasteBuffer(), model_.clip); });
}

void PatternCommands::paste()
{
    tools_.startFloating(false);
}

void PatternCommands::mix()
{
    tools_.startFloating(true);
}

void PatternCommands::cancel()
{
    if (tools_.cancelFloating() || tools_.tool() != Tool::Selector)
        return;
    model_.selection = {};
    view_.update();
}

} // namespace quom
