#pragma once

#include <QPixmap>
#include <QStringList>
#include <QStringView>

namespace quom {

// The normal and the pressed look of a picture button.
struct PicturePair {
    QPixmap normal;
    QPixmap pressed;
};

// The 32 x 30 pictures of a command button, by its caption: the main window's "New", "Load",
// "Save", "Clear", "Load Pattern", "Save Pattern", "Import", "Export", "ExportMidi", "Stems", "Play",
// "Record", "Song", "Kits", "Patterns", "Settings", "Song List", "Grid", "About", "Mutate",
// "Map", "Filter", "Colors", "RevX", "RevY", "Rotate", "Rotate2", "Copy", "Cut", "Paste", "Mix",
// "Line H", "Line V", "Cells", "Rnd", "Automata", "Drum", "WaveSeq", "Cam", "Pencil", "Eraser",
// "Line", "Aero", "Hand", "Selector", "EyeDropper", "Undo", "Redo"; and the kit editor's "Kit
// Clear", "Kit Load", "Kit Save", "Add", "Folder", "Random", "Slicer". For "Grid" the pair is
// the switch's off and on picture. An unknown name gets its own text on a plain button.
PicturePair buttonPictures(QStringView name);

// Every name buttonPictures() draws a picture for.
QStringList buttonPictureNames();

} // namespace quom
