#include "pattern/CommandTable.h"

#include <algorithm>
#include <array>

namespace quom {

namespace {

using K = CommandKind;
using R = CommandEntry::Row;
using C = CommandId;

constexpr std::array kCommands{
    CommandEntry{C::New, "New", K::Push, R::Bottom, 0, 0, false, "Create a new project."},
    CommandEntry{C::Load, "Load", K::Push, R::Bottom, 1, 0, false, "Load a project (.qom file)."},
    CommandEntry{C::Save, "Save", K::Push, R::Bottom, 2, 0, false, "Save the current project (.qom file)."},
    CommandEntry{C::Clear, "Clear", K::Push, R::Bottom, 4, 0, false, "Clear this pattern."},
    CommandEntry{C::LoadPattern, "Load Pattern", K::Push, R::Bottom, 5, 0, false,
        "Load a pattern into this project (.pat file)."},
    CommandEntry{C::SavePattern, "Save Pattern", K::Push, R::Bottom, 6, 0, false,
        "Save the current pattern (.pat file)."},
    CommandEntry{C::Import, "Import", K::Push, R::Bottom, 8, 0, false,
        "Import an image (.jpg,.gif,.bmp) to use as this pattern."},
    CommandEntry{C::Export, "Export", K::Push, R::Bottom, 9, 0, false, "Export this pattern as a wave file."},
    CommandEntry{
        C::ExportMidi, "ExportMidi", K::Push, R::Bottom, 10, 0, false, "Export this pattern as a MIDI file."},
    CommandEntry{C::Play, "Play", K::Toggle, R::Bottom, 12, 0, false, "Play the current pattern."},
    CommandEntry{C::Record, "Record", K::Toggle, R::Bottom, 13, 0, false, "Record the audio output of Quom."},
    CommandEntry{C::Kits, "Kits", K::Push, R::Bottom, 15, 0, false, "Open the window to edit Kits."},
    CommandEntry{C::Patterns, "Patterns", K::Push, R::Bottom, 16, 0, false, "Select one of the 16 patterns."},
    CommandEntry{C::Settings, "Settings", K::Push, R::Bottom, 17, 0, false, "Display the settings window."},
    CommandEntry{C::Grid, "Grid", K::Toggle, R::Bottom, 19, 0, false, "Enable / disable the grid."},
    CommandEntry{
        C::About, "About", K::Push, R::Bottom, 20, 0, false, "Display information about this program."},
    CommandEntry{C::Mutate, "Mutate", K::Push, R::Right, 0, 220, false, "Mutate the colors of the pattern."},
    CommandEntry{C::Map, "Map", K::Push, R::Right, 1, 220, false, "Adjust the color curves."},
    CommandEntry{C::Filter, "Filter", K::Push, R::Right, 2, 220, false, "Filter the pattern."},
    CommandEntry{C::Colors, "Colors", K::Push, R::Right, 3, 220, false, "Offset the colors of the pattern."},
    CommandEntry{C::RevX, "RevX", K::Push, R::Right, 0, 260, false, "Reverse the cells horizontally."},
    CommandEntry{C::RevY, "RevY", K::Push, R::Right, 1, 260, false, "Reverse the cells vertically."},
    CommandEntry{C::Rotate, "Rotate", K::Push, R::Right, 2, 260, false,
        "Rotate the cells 90 degrees counter clockwise."},
    CommandEntry{
        C::Rotate2, "Rotate2", K::Push, R::Right, 3, 260, false, "Rotate the cells 90 degrees clockwise."},
    CommandEntry{C::Copy, "Copy", K::Push, R::Right, 0, 300, false, "Copy the selection into the buffer."},
    CommandEntry{C::Cut, "Cut", K::Push, R::Right, 1, 300, false, "Cut the selection."},
    CommandEntry{C::Paste, "Paste", K::Push, R::Right, 2, 300, false, "Paste the selection."},
    CommandEntry{C::Mix, "Mix", K::Push, R::Right, 3, 300, false,
        "Mix the selection with the current pattern (black cells from the buffer are transparent)."},
    CommandEntry{C::LineH, "Line H", K::Push, R::Right, 0, 340, false, "Shuffle the rows of the pattern."},
    CommandEntry{C::LineV, "Line V", K::Push, R::Right, 1, 340, false, "Shuffle the columns of the pattern."},
    CommandEntry{
        C::Cells, "Cells", K::Push, R::Right, 2, 340, false, "Shuffle all the cells of the pattern."},
    CommandEntry{C::Rnd, "Rnd", K::Push, R::Right, 3, 340, false, "Creates a random pattern."},
    CommandEntry{C::Automata, "Automata", K::Push, R::Right, 0, 380, false,
        "Make the pattern evolve with a cellular automaton."},
    CommandEntry{C::Drum, "Drum", K::Push, R::Right, 1, 380, false, "Create a drum pattern."},
    CommandEntry{C::WaveSeq, "WaveSeq", K::Push, R::Right, 2, 380, false, "Create a wave sequence."},
    CommandEntry{C::Cam, "Cam", K::Push, R::Right, 3, 380, false, "Acquire pattern from webcam."},
    CommandEntry{C::Pencil, "Pencil", K::Tool, R::Right, 0, 0, true, "Selects the pencil tool."},
    CommandEntry{C::Eraser, "Eraser", K::Tool, R::Right, 1, 0, true, "Selects the eraser tool."},
    CommandEntry{C::Line, "Line", K::Tool, R::Right, 2, 0, true, "Selects the line tool."},
    CommandEntry{C::Aero, "Aero", K::Tool, R::Right, 3, 0, true, "Selects the airbrush tool."},
    CommandEntry{C::Hand, "Hand", K::Tool, R::Right, 0, 40, true, "Selects the hand tool."},
    CommandEntry{C::Selector, "Selector", K::Tool, R::Right, 1, 40, true, "Selects the selector tool."},
    CommandEntry{
        C::EyeDropper, "EyeDropper", K::Tool, R::Right, 2, 40, true, "Selects the color picker tool."},
    CommandEntry{C::Undo, "Undo", K::Push, R::Right, 1, 440, false, "Undo last edit for this pattern."},
    CommandEntry{C::Redo, "Redo", K::Push, R::Right, 2, 440, false, "Redo last edit for this pattern."},
};

} // namespace

std::span<const CommandEntry> commandTable()
{
    return kCommands;
}

const CommandEntry* findCommand(CommandId id)
{
    const auto it = std::ranges::find(kCommands, id, &CommandEntry::id);
    return it == kCommands.end() ? nullptr : &*it;
}

QPoint commandPosition(const CommandEntry& command, const CanvasGeometry& geometry)
{
    const int step = command.column * geometry.buttonPitch();
    if (command.row == CommandEntry::Row::Bottom)
        return {geometry.left() + step, geometry.bottom() + 10};
    return {geometry.right() + 20 + step, command.y + (command.fromTop ? geometry.top() : 0)};
}

QRect pickedColourRect(const CanvasGeometry& geometry)
{
    return QRect(geometry.right() + 20 + 3 * geometry.buttonPitch() + 4, geometry.top() + 43, 24, 20);
}

} // namespace quom
