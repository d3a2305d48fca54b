#include "ui/controls/ButtonPictures.h"

#include "ui/controls/ButtonGlyphs.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace quom {
namespace {

constexpr int kWidth = 32;
constexpr int kHeight = 30;

// One frame for every button: a raised grey key, or, pressed, a sunken amber one with an
// orange rim and the glyph moved one pixel down and right.
QPixmap drawPicture(QStringView caption, bool pressed)
{
    QPixmap pixmap(kWidth, kHeight);
    pixmap.fill(QColor(34, 34, 34));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF body(1.5, 1.5, kWidth - 3, kHeight - 3);
    QLinearGradient shade(body.topLeft(), body.bottomLeft());
    shade.setColorAt(0, pressed ? QColor(58, 38, 20) : QColor(76, 76, 76));
    shade.setColorAt(1, pressed ? QColor(92, 60, 30) : QColor(50, 50, 50));
    p.setBrush(shade);
    p.setPen(QPen(pressed ? QColor(255, 180, 105) : QColor(110, 110, 110), 1));
    p.drawRoundedRect(body, 4, 4);

    GlyphInk ink;
    ink.line = pressed ? QColor(255, 236, 214) : QColor(224, 224, 224);
    ink.accent = pressed ? QColor(255, 196, 130) : QColor(255, 170, 90);
    if (pressed)
        p.translate(1, 1);
    p.setClipRect(QRectF(2, 2, kWidth - 4, kHeight - 4));
    if (!drawGlyph(p, caption, ink)) {
        QFont font(QStringLiteral("Arial"));
        font.setStyleHint(QFont::SansSerif);
        font.setPixelSize(8);
        p.setFont(font);
        p.setPen(ink.line);
        p.drawText(QRectF(2, 2, kWidth - 4, kHeight - 4), Qt::AlignCenter | Qt::TextWrapAnywhere,
            caption.toString());
    }
    return pixmap;
}

} // namespace

PicturePair buttonPictures(QStringView name)
{
    return {drawPicture(name, false), drawPicture(name, true)};
}

QStringList buttonPictureNames()
{
    return glyphNames();
}

} // namespace quom
