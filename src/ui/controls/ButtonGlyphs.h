#pragma once

#include <QColor>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QStringView>

class QPainter;

namespace quom {

// The colours a glyph is drawn in: the main line colour and one accent.
struct GlyphInk {
    QColor line;
    QColor accent;
};

// Draws one command's symbol into the 32 x 30 picture. Each symbol is an SVG file in the
// resource folder ":/button-pictures", named by its caption (pictures/ButtonPictures.qrc) and
// drawn in #e0e0e0 where the line ink goes and #ffaa5a where the accent goes; those two colours
// become the given inks. False, drawing nothing, for a name without a file or with a file that
// does not parse.
bool drawGlyph(QPainter& p, QStringView name, const GlyphInk& ink);

// The names drawGlyph() has a symbol for.
QStringList glyphNames();

// Draws the SVG file at resource (a Qt resource path) into target, its two placeholder
// colours replaced by the inks as drawGlyph does. False, drawing nothing, for a file
// that is missing or does not parse.
bool drawInkedSvg(QPainter& p, const QString& resource, const GlyphInk& ink, const QRectF& target);

} // namespace quom
