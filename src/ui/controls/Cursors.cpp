#include "ui/controls/Cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quom {
namespace {

constexpr int kSize = 32;

// Every shape is drawn white with a black rim, so it shows on any cell colour.
void outlined(QPainter& p, const QPainterPath& path)
{
    p.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(path);
}

QPixmap blank()
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QCursor drawingCursor()
{
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath cross;
    for (const QRectF& arm :
        {QRectF(14.5, 3, 3, 9), QRectF(14.5, 20, 3, 9), QRectF(3, 14.5, 9, 3), QRectF(20, 14.5, 9, 3)})
        cross.addRect(arm);
    outlined(p, cross);
    return QCursor(pixmap, 16, 16);
}

QPainterPath handShape()
{
    // Four fingers and a thumb over a rounded palm, centred on (16, 16).
    QPainterPath hand;
    hand.setFillRule(Qt::WindingFill);
    for (int i = 0; i < 4; ++i)
        hand.addRoundedRect(QRectF(9 + i * 3.6, 6 + (i == 0 || i == 3 ? 2 : 0), 3.4, 10), 1.7, 1.7);
    hand.addRoundedRect(QRectF(4.5, 14, 7, 3.4), 1.7, 1.7);
    hand.addRoundedRect(QRectF(9, 12, 14.2, 12), 4, 4);
    return hand.simplified();
}

// An arrow head of the double arrow that shows which way a row or column moves.
QPainterPath arrowHead(QPointF tip, QPointF direction)
{
    const QPointF side(-direction.y(), direction.x());
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - direction * 4 + side * 3.5);
    head.lineTo(tip - direction * 4 - side * 3.5);
    head.closeSubpath();
    return head;
}

QCursor handCursor(int arrows)
{
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape = handShape();
    if (arrows == 1) {
        shape.addPath(arrowHead({0.5, 27}, {-1, 0}));
        shape.addPath(arrowHead({31.5, 27}, {1, 0}));
        shape.addRect(QRectF(4, 26, 24, 2));
    } else if (arrows == 2) {
        shape.addPath(arrowHead({28, 0.5}, {0, -1}));
        shape.addPath(arrowHead({28, 31.5}, {0, 1}));
        shape.addRect(QRectF(27, 4, 2, 24));
    }
    outlined(p, shape);
    return QCursor(pixmap, 16, 16);
}

QCursor eyedropperCursor()
{
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A pipette from the bottom-left tip up to a bulb at the top right.
    p.translate(2, 30);
    p.rotate(-45);
    QPainterPath pipette;
    pipette.moveTo(0, 0);
    pipette.lineTo(4, -2);
    pipette.lineTo(22, -2);
    pipette.lineTo(22, 2);
    pipette.lineTo(4, 2);
    pipette.closeSubpath();
    pipette.addRect(QRectF(20, -5, 3, 10));
    pipette.addRoundedRect(QRectF(23, -3.5, 12, 7), 3.5, 3.5);
    outlined(p, pipette.simplified());
    return QCursor(pixmap, 2, 30);
}

} // namespace

const Cursors& paintedCursors()
{
    static const Cursors kCursors{
        drawingCursor(), handCursor(0), handCursor(1), handCursor(2), eyedropperCursor()};
    return kCursors;
}

} // namespace quom
