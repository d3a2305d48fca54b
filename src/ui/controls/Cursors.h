#pragma once

#include <QCursor>

// The cursors of the canvas and the kit editor, drawn here rather than loaded from
// files. Built on first use, which needs the application object.
namespace quom {

struct Cursors {
    QCursor drawing; // a cross hair on the cell
    QCursor hand; // grabs the whole pattern, or a floating paste
    QCursor handRow; // moves one row sideways
    QCursor handColumn; // moves one column up and down
    QCursor eyedropper; // the tip is the hot spot
};

const Cursors& paintedCursors();

} // namespace quom
