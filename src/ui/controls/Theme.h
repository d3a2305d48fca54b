#pragma once

#include <QColor>
#include <QRect>

class QWidget;

// The dark look every window shares, and the dialog-unit measures the windows are laid out in.
namespace quom::theme {

inline const QColor kBackground{34, 34, 34};
inline const QColor kStaticText{192, 192, 192};

// Background, static-text colour, black-on-white edit fields and the 7-point Arial font
// (any sans-serif when Arial is missing). Children inherit all of it.
void apply(QWidget* window);
// The colours alone: Qt's own message boxes and file dialogs keep the desktop's font,
// whose size suits their longer texts and lists.
void applyColors(QWidget* window);

// Windows are drawn up in dialog units of the classic 8-point dialog font at 96 dpi:
// one horizontal unit is 1.5 pixels, one vertical unit 1.625 pixels.
int dluX(int units);
int dluY(int units);
// Converts the edges, not the size, so that adjacent controls stay adjacent.
QRect dluRect(int x, int y, int width, int height);
// Moves and sizes a child widget to a rectangle given in dialog units.
void place(QWidget* child, int x, int y, int width, int height);

} // namespace quom::theme
