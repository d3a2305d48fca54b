#include "pattern/CommandTable.h"

#include <algorithm>
#include <array>

namespace quom {

namespace {

using K = CommandKind;
using R = CommandSpec::Row;
using C = CommandId;

constexpr std::array kCommands{
    CommandSpec{C::New, "New", K::Push, R::Bottom, 0, 0, false, "Create a new project."},
    CommandSpec{C::Load, "Load", K::Push, R::Bottom, 1, 0, false, "Load a project (.qom file)."},
    CommandSpec{C::Save, "Save", K::Push, R::Bottom, 2, 0, false, "Save the current project (.qom file)."},
    CommandSpec{C::Clear, "Clear", K::Push, R::Bottom, 4, 0, false, "Clear this pattern."},
    CommandSpec{C::LoadPattern, "Load Pattern", K::Push, R::Bottom, 5, 0, false,
        "Load a pattern into this project (.pat file)."},
    CommandSpec{C::SavePattern, "Save Pattern", K::Push, R::Bottom, 6, 0, false,
        "Save the current pattern (.pat file)."},
    CommandSpec{C::Import, "Import", K::Push, R::Bottom, 8, 0, false,
        "Import an image (.jpg,.gif,.bmp) to use as this pattern."},
    CommandSpec{C::Export, "Export", K::Push, R::Bottom, 9, 0, false, "Export this pattern as a wave file."},
    CommandSpec{
        C::ExportMidi, "ExportMidi", K::Push, R::Bottom, 10, 0, false, "Export this pattern as a MIDI file."},
    CommandSpec{C::Play, "Play", K::Toggle, R::Bottom, 12, 0, false, "Play the current pattern."},
    CommandSpec{C::Record, "Record", K::Toggle, R::Bottom, 13, 0, false, "Record the audio output of Quom."},
    CommandSpec{C::Kits, "Kits", K::Push, R::Bottom, 15, 0, false, "Open the window to edit Kits."},
    CommandSpec{C::Patterns, "Patterns", K::Push, R::Bottom, 16, 0, false, "Select one of the 16 patterns."},
    CommandSpec{C::Settings, "Settings", K::Push, R::Bottom, 17, 0, false, "Display the settings window."},
    CommandSpec{C::Grid, "Grid", K::Toggle, R::Bottom, 19, 0, false, "Enable / disable the grid."},
    CommandSpec{
        C::About, "About", K::Push, R::Bottom, 20, 0, false, "Display information about this program."},
    CommandSpec{C::Mutate, "Mutate", K::Push, R::Right, 0, 220, false, "Mutate the colors of the pattern."},
    CommandSpec{C::Map, "Map", K::Push, R::Right, 1, 220, false, "Adjust the color curves."},
    CommandSpec{C::Filter, "Filter", K::Push, R::Right, 2, 220, false, "Filter the pattern."},
    CommandSpec{C::Colors, "Colors", K::Push, R::Right, 3, 220, false, "Offset the colors of the pattern."},
    CommandSpec{C::RevX, "RevX", K::Push, R::Right, 0, 260, false, "Reverse the cells horizontally."},
    CommandSpec{C::RevY, "RevY", K::Push, R::Right, 1, 260, false, "Reverse the cells vertically."},
    CommandSpec{C::Rotate, "Rotate", K::Push, R::Right, 2, 260, false,
        "Rotate the cells 90 degrees counter clockwise."},
    CommandSpec{
        C::Rotate2, "Rotate2", K::Push, R::Right, 3, 260, false, "Rotate the cells 90 degrees clockwise."},
    CommandSpec{C::Copy, "Copy", K::Push, R::Right, 0, 300, false, "Copy the selection into the buffer."},
    CommandSpec{C::Cut, "Cut", K::Push, R::Right, 1, 300, false, "Cut the selection."},
    CommandSpec{C::Paste, "Paste", K::Push, R::Right, 2, 300, false, "Paste the selection."},
    CommandSpec{C::Mix, "Mix", K::Push, R::Right, 3, 300, false,
        "Mix the selection with the current pattern (black cells from the buffer are transparent)."},
    CommandSpec{C::LineH, "Line H", K::Push, R::Right, 0, 340, false, "Shuffle the rows of the pattern."},
    CommandSpec{C::LineV, "Line V", K::Push, R::Right, 1, 340, false, "Shuffle the columns of the pattern."},
    CommandSpec{C::Cells, "Cells", K::Push, R::Right, 2, 340, false, "Shuffle all the cells of the pattern."},
    CommandSpec{C::Rnd, "Rnd", K::Push, R::Right, 3, 340, false, "Creates a random pattern."},
    CommandSpec{C::Automata, "Automata", K::Push, R::Right, 0, 380, false,
        "Make the pattern evolve with a cellular automaton."},
    CommandSpec{C::Drum, "Drum", K::Push, R::Right, 1, 380, false, "Create a drum pattern."},
    CommandSpec{C::WaveSeq, "WaveSeq", K::Push, R::Right, 2, 380, false, "Create a wave sequence."},
    CommandSpec{C::Cam, "Cam", K::Push, R::Right, 3, 380, false, "Acquire pattern from webcam."},
    CommandSpec{C::Pencil, "Pencil", K::Tool, R::Right, 0, 0, true, "Selects the pencil tool."},
    CommandSpec{C::Eraser, "Eraser", K::Tool, R::Right, 1, 0, true, "Selects the eraser tool."},
    CommandSpec{C::Line, "Line", K::Tool, R::Right, 2, 0, true, "Selects the line tool."},
    CommandSpec{C::Aero, "Aero", K::Tool, R::Right, 3, 0, true, "Selects the airbrush tool."},
    CommandSpec{C::Hand, "Hand", K::Tool, R::Right, 0, 40, true, "Selects the hand tool."},
    CommandSpec{C::Selector, "Selector", K::Tool, R::Right, 1, 40, true, "Selects the selector tool."},
    CommandSpec{
        C::EyeDropper, "EyeDropper", K::Tool, R::Right, 2, 40, true, "Selects the color picker tool."},
    CommandSpec{C::Undo, "Undo", K::Push, R::Right, 1, 440, false, "Undo last edit for this pattern."},
    CommandSpec{C::Redo, "Redo", K::Push, R::Right, 2, 440, false, "Redo last edit for this pattern."},
};

} // namespace

std::span<const CommandSpec> commandTable()
{
    return kCommands;
}

const CommandSpec* findCommand(CommandId id)
{
    const auto it = std::ranges::find(kCommands, id, &CommandSpec::id);
    return it == kCommands.end() ? nullptr : &*it;
}

QPoint commandPosition(const CommandSpec& command, const CanvasGeometry& geometry)
{
    const int step = command.column * geometry.buttonPitch();
    if (command.row == CommandSpec::Row::Bottom)
        return {geometry.left() + step, geometry.bottom() + 10};
    return {geometry.right() + 20 + step, command.y + (command.fromTop ? geometry.top() : 0)};
}

QRect pickedColourRect(const CanvasGeometry& geometry)
{
    return QRect(geometry.right() + 20 + 3 * geometry.buttonPitch() + 4, geometry.top() + 43, 24, 20);
}

} // namespace quom
