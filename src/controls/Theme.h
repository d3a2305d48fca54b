#pragma once

#include <QColor>

class QWidget;

// The dark look every window shares.
namespace quom::theme {

inline const QColor kBackground{34, 34, 34};
inline const QColor kStaticText{192, 192, 192};

// Applies the background, text colours and the small dialog font to a window.
void apply(QWidget* window);

} // namespace quom::theme
