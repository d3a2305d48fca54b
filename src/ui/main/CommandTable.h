#pragma once

#include "core/operations/PatternOperations.h"
#include "ui/main/CanvasGeometry.h"
#include "ui/main/KeyChord.h"
#include "ui/main/Tool.h"

#include <QPoint>

#include <span>
#include <variant>

// The commands of the main window as data, one row each: its button's id, caption,
// kind, place and tool-tip, its key, and the operation it runs. The window builds its
// buttons from this table and runs every command, from a button or a key, through it.
namespace quom {

class CQuomDlg;
class Project;

enum class CommandId : int {
    Kits = 1000,
    Play = 1002,
    Record = 1003,
    Pencil = 1009,
    Eraser = 1010,
    Line = 1011,
    Aero = 1012,
    Hand = 1013,
    EyeDropper = 1014,
    Selector = 1015,
    Clear = 1016,
    Patterns = 1017,
    Undo = 1018,
    Redo = 1019,
    Filter = 1020,
    Load = 1021,
    Save = 1022,
    Export = 1023,
    LoadPattern = 1024,
    RevX = 1027,
    RevY = 1028,
    Copy = 1029,
    Cut = 1030,
    Paste = 1031,
    Mix = 1032,
    LineH = 1033,
    LineV = 1034,
    Cells = 1035,
    Rnd = 1036,
    Import = 1037,
    About = 1038,
    SavePattern = 1039,
    New = 1040,
    Rotate = 1041,
    ExportMidi = 1042,
    Rotate2 = 1043,
    Settings = 1044,
    Automata = 1045,
    Cam = 1046,
    Drum = 1047,
    WaveSeq = 1048,
    Colors = 1051,
    Mutate = 1052,
    Map = 1053,
    Grid = 1090,
    // Commands beyond the original set.
    Song = 1100,
    SongWindow = 1101,
    ExportStems = 1102,
};

// Push buttons act on release; toggles show a running state; tools form a radio group.
enum class CommandKind { Push, Toggle, Tool };

// What a command runs: a pattern operation of the registry that takes no arguments,
// an edit of the project's clipboard or history, an operation of the window (it asks
// the user or changes what the window shows, then calls the core), the drawing tool
// it selects.
using ProjectOperation = void (Project::*)();
using WindowOperation = void (CQuomDlg::*)();
using CommandOperation = std::variant<OperationId, ProjectOperation, WindowOperation, Tool>;

// Where a command's 32 x 30 button sits, from the canvas edges L, T, R and B.
struct ButtonPlace {
    enum class Row {
        Bottom, // x = L + column * pitch, y = B + 10
        Right, // x = the column's left + column * pitch (R + 20 beside a canvas as wide
               // as the bottom row), y = y (+ T when fromTop) in a tall window
    };

    Row row;
    int column;
    int y;
    bool fromTop;
};

struct CommandEntry {
    CommandId id;
    const char* caption;
    CommandKind kind;
    ButtonPlace place;
    const char* toolTip;
    KeyChord key;
    CommandOperation operation;
};

std::span<const CommandEntry> commandTable();
const CommandEntry* findCommand(CommandId id);

QPoint commandPosition(const CommandEntry& command, const CanvasGeometry& geometry);

// The picked-colour swatch beside the eyedropper button, 24 x 20 pixels.
QRect pickedColorRect(const CanvasGeometry& geometry);

} // namespace quom
