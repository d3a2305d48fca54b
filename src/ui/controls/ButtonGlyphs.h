#pragma once

#include <QColor>
#include <QStringList>
#include <QStringView>

class QPainter;

namespace quom {

// The colours a glyph is drawn in: the main line colour and one accent.
struct GlyphInk {
    QColor line;
    QColor accent;
};

// Draws one command's symbol into the 32 x 30 picture.
using GlyphDrawer = void (*)(QPainter& p, const GlyphInk& ink);

// Null for a name without a symbol.
GlyphDrawer glyphFor(QStringView name);
QStringList glyphNames();

} // namespace quom
