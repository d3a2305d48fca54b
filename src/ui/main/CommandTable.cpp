#include "ui/main/CommandTable.h"

#include "core/project/Project.h"
#include "ui/main/QuomDlg.h"

#include <algorithm>
#include <array>

namespace quom {

namespace {

using K = CommandKind;
using C = CommandId;

constexpr ButtonPlace bottom(int column)
{
    return {ButtonPlace::Row::Bottom, column, 0, false};
}
constexpr ButtonPlace right(int column, int y)
{
    return {ButtonPlace::Row::Right, column, y, false};
}
constexpr ButtonPlace rightFromTop(int column, int y)
{
    return {ButtonPlace::Row::Right, column, y, true};
}

constexpr KeyChord any(int key)
{
    return {key, KeyChord::Any};
}
constexpr KeyChord anyCtrl(int key)
{
    return {key, KeyChord::AnyCtrl};
}
constexpr KeyChord ctrl(int key)
{
    return {key, KeyChord::Ctrl};
}
constexpr KeyChord ctrlShift(int key)
{
    return {key, KeyChord::CtrlShift};
}

constexpr CommandOperation project(ProjectOperation operation)
{
    return operation;
}
constexpr CommandOperation window(WindowOperation operation)
{
    return operation;
}

} // namespace

// A friend of the window, so that the rows name its command handlers.
std::span<const CommandEntry> commandTable()
{
    static const auto kCommands = std::to_array<CommandEntry>({
        CommandEntry{C::New, "New", K::Push, bottom(0), "Create a new project.", ctrl(Qt::Key_N),
            window(&CQuomDlg::newProject)},
        CommandEntry{C::Load, "Load", K::Push, bottom(1), "Load a project (.qom file).", ctrl(Qt::Key_O),
            window(&CQuomDlg::loadProjectCommand)},
        CommandEntry{C::Save, "Save", K::Push, bottom(2), "Save the current project (.qom file).",
            ctrl(Qt::Key_S), window(&CQuomDlg::saveProject)},
        CommandEntry{C::Clear, "Clear", K::Push, bottom(4), "Clear this pattern.", ctrlShift(Qt::Key_N),
            window(&CQuomDlg::clearPattern)},
        CommandEntry{C::LoadPattern, "Load Pattern", K::Push, bottom(5),
            "Load a pattern into this project (.pat file).", ctrlShift(Qt::Key_O),
            window(&CQuomDlg::loadPatternCommand)},
        CommandEntry{C::SavePattern, "Save Pattern", K::Push, bottom(6),
            "Save the current pattern (.pat file).", ctrlShift(Qt::Key_S), window(&CQuomDlg::savePattern)},
        CommandEntry{C::Import, "Import", K::Push, bottom(8),
            "Import an image (.jpg,.gif,.bmp) to use as this pattern.", anyCtrl(Qt::Key_I),
            window(&CQuomDlg::importImage)},
        CommandEntry{C::Export, "Export", K::Push, bottom(9), "Export this pattern as a wave file.",
            anyCtrl(Qt::Key_W), window(&CQuomDlg::exportWave)},
        CommandEntry{C::ExportMidi, "ExportMidi", K::Push, bottom(10), "Export this pattern as a MIDI file.",
            anyCtrl(Qt::Key_M), window(&CQuomDlg::exportMidi)},
        CommandEntry{C::ExportStems, "Stems", K::Push, bottom(11),
            "Export each row (or each block of 16 rows) as a wave file of its own.", {},
            window(&CQuomDlg::exportStems)},
        CommandEntry{C::Play, "Play", K::Toggle, bottom(12), "Play the current pattern.", any(Qt::Key_Space),
            window(&CQuomDlg::playOrStop)},
        CommandEntry{C::Record, "Record", K::Toggle, bottom(13), "Record the audio output of Quom.", {},
            window(&CQuomDlg::toggleRecording)},
        CommandEntry{C::Song, "Song", K::Toggle, bottom(14),
            "Play the song: the patterns in the order of the song window.", {},
            window(&CQuomDlg::toggleSong)},
        CommandEntry{C::Kits, "Kits", K::Push, bottom(15), "Open the window to edit Kits.", any(Qt::Key_K),
            window(&CQuomDlg::openKitEditor)},
        CommandEntry{C::Patterns, "Patterns", K::Push, bottom(16), "Select one of the 16 patterns.",
            any(Qt::Key_P), window(&CQuomDlg::choosePattern)},
        CommandEntry{C::Settings, "Settings", K::Push, bottom(17), "Display the settings window.", {},
            window(&CQuomDlg::openSettings)},
        CommandEntry{C::SongWindow, "Song List", K::Push, bottom(18),
            "Open the window to edit the song: the patterns in the order they play.", {},
            window(&CQuomDlg::openSongWindow)},
        CommandEntry{C::Grid, "Grid", K::Toggle, bottom(19), "Enable / disable the grid.", {},
            window(&CQuomDlg::toggleGrid)},
        CommandEntry{C::About, "About", K::Push, bottom(20), "Display information about this program.", {},
            window(&CQuomDlg::about)},
        CommandEntry{C::Mutate, "Mutate", K::Push, right(0, 220), "Mutate the colors of the pattern.", {},
            window(&CQuomDlg::mutateColours)},
        CommandEntry{C::Map, "Map", K::Push, right(1, 220), "Adjust the color curves.", {},
            window(&CQuomDlg::colourCurves)},
        CommandEntry{C::Filter, "Filter", K::Push, right(2, 220), "Filter the pattern.", any(Qt::Key_F),
            window(&CQuomDlg::applyFilterCommand)},
        CommandEntry{C::Colors, "Colors", K::Push, right(3, 220), "Offset the colors of the pattern.", {},
            window(&CQuomDlg::offsetColours)},
        CommandEntry{C::RevX, "RevX", K::Push, right(0, 260), "Reverse the cells horizontally.", {},
            OperationId::ReverseX},
        CommandEntry{C::RevY, "RevY", K::Push, right(1, 260), "Reverse the cells vertically.", {},
            OperationId::ReverseY},
        CommandEntry{C::Rotate, "Rotate", K::Push, right(2, 260),
            "Rotate the cells 90 degrees counter clockwise.", {}, OperationId::RotateCounterClockwise},
        CommandEntry{C::Rotate2, "Rotate2", K::Push, right(3, 260), "Rotate the cells 90 degrees clockwise.",
            {}, OperationId::RotateClockwise},
        CommandEntry{C::Copy, "Copy", K::Push, right(0, 300), "Copy the selection into the buffer.", {},
            project(&Project::copy)},
        CommandEntry{C::Cut, "Cut", K::Push, right(1, 300), "Cut the selection.", {}, project(&Project::cut)},
        CommandEntry{
            C::Paste, "Paste", K::Push, right(2, 300), "Paste the selection.", {}, window(&CQuomDlg::paste)},
        CommandEntry{C::Mix, "Mix", K::Push, right(3, 300),
            "Mix the selection with the current pattern (black cells from the buffer are transparent).", {},
            window(&CQuomDlg::mix)},
        CommandEntry{C::LineH, "Line H", K::Push, right(0, 340), "Shuffle the rows of the pattern.", {},
            OperationId::ShuffleRows},
        CommandEntry{C::LineV, "Line V", K::Push, right(1, 340), "Shuffle the columns of the pattern.", {},
            OperationId::ShuffleColumns},
        CommandEntry{C::Cells, "Cells", K::Push, right(2, 340), "Shuffle all the cells of the pattern.", {},
            OperationId::ShuffleCells},
        CommandEntry{C::Rnd, "Rnd", K::Push, right(3, 340), "Creates a random pattern.", any(Qt::Key_D),
            window(&CQuomDlg::randomPattern)},
        CommandEntry{C::Automata, "Automata", K::Push, right(0, 380),
            "Make the pattern evolve with a cellular automaton.", any(Qt::Key_A), OperationId::Automaton},
        CommandEntry{
            C::Drum, "Drum", K::Push, right(1, 380), "Create a drum pattern.", {}, OperationId::Drum},
        CommandEntry{C::WaveSeq, "WaveSeq", K::Push, right(2, 380), "Create a wave sequence.", {},
            window(&CQuomDlg::waveSequence)},
        CommandEntry{C::Cam, "Cam", K::Push, right(3, 380), "Acquire pattern from webcam.", {},
            window(&CQuomDlg::webcamCapture)},
        CommandEntry{C::Pencil, "Pencil", K::Tool, rightFromTop(0, 0), "Selects the pencil tool.",
            any(Qt::Key_F1), Tool::Pencil},
        CommandEntry{C::Eraser, "Eraser", K::Tool, rightFromTop(1, 0), "Selects the eraser tool.",
            any(Qt::Key_F2), Tool::Eraser},
        CommandEntry{C::Line, "Line", K::Tool, rightFromTop(2, 0), "Selects the line tool.", any(Qt::Key_F3),
            Tool::Line},
        CommandEntry{C::Aero, "Aero", K::Tool, rightFromTop(3, 0), "Selects the airbrush tool.",
            any(Qt::Key_F4), Tool::Aero},
        CommandEntry{C::Hand, "Hand", K::Tool, rightFromTop(0, 40), "Selects the hand tool.", any(Qt::Key_F5),
            Tool::Hand},
        CommandEntry{C::Selector, "Selector", K::Tool, rightFromTop(1, 40), "Selects the selector tool.",
            any(Qt::Key_F6), Tool::Selector},
        CommandEntry{C::EyeDropper, "EyeDropper", K::Tool, rightFromTop(2, 40),
            "Selects the color picker tool.", any(Qt::Key_F7), Tool::EyeDropper},
        CommandEntry{C::Undo, "Undo", K::Push, right(1, 440), "Undo last edit for this pattern.",
            any(Qt::Key_Z), project(&Project::undo)},
        CommandEntry{C::Redo, "Redo", K::Push, right(2, 440), "Redo last edit for this pattern.",
            any(Qt::Key_Y), project(&Project::redo)},
    });
    return kCommands;
}

const CommandEntry* findCommand(CommandId id)
{
    const auto table = commandTable();
    const auto it = std::ranges::find(table, id, &CommandEntry::id);
    return it == table.end() ? nullptr : &*it;
}

QPoint commandPosition(const CommandEntry& command, const CanvasGeometry& geometry)
{
    const ButtonPlace& place = command.place;
    const int step = place.column * geometry.buttonPitch();
    if (place.row == ButtonPlace::Row::Bottom)
        return {geometry.left() + step, geometry.bottom() + 10};
    return {geometry.columnLeft() + step, geometry.columnY(place.y + (place.fromTop ? geometry.top() : 0))};
}

QRect pickedColorRect(const CanvasGeometry& geometry)
{
    return QRect(geometry.columnLeft() + 3 * geometry.buttonPitch() + 4,
        geometry.columnY(geometry.top() + 43), 24, 20);
}

} // namespace quom
