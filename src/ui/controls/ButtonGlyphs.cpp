#include "ui/controls/ButtonGlyphs.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>

// The symbols of the command buttons, drawn on a 32 x 30 picture whose usable area is
// about x 5..27, y 5..25. Lines use the ink's line colour; the part that says what the
// command does to the music (a plus, a cross, a lit cell) uses the accent.
namespace quom {
namespace {

constexpr double kPi = 3.14159265358979;

void usePen(QPainter& p, const QColor& c, double width = 1.6)
{
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}

void useFill(QPainter& p, const QColor& c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
}

void arrow(QPainter& p, QPointF from, QPointF to, double head = 4)
{
    p.drawLine(from, to);
    const double a = std::atan2(to.y() - from.y(), to.x() - from.x());
    const QPointF left = to - QPointF(std::cos(a - 0.5) * head, std::sin(a - 0.5) * head);
    const QPointF right = to - QPointF(std::cos(a + 0.5) * head, std::sin(a + 0.5) * head);
    p.drawPolyline(QPolygonF{left, to, right});
}

// An arc of a circle (degrees counter-clockwise from 3 o'clock) ending in an arrowhead.
void curvedArrow(QPainter& p, QPointF centre, double radius, double startDeg, double spanDeg)
{
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    p.drawArc(box, static_cast<int>(startDeg * 16), static_cast<int>(spanDeg * 16));
    const double end = (startDeg + spanDeg) * kPi / 180;
    const QPointF tip(centre.x() + radius * std::cos(end), centre.y() - radius * std::sin(end));
    // The tangent in the direction of travel.
    const double dir = spanDeg > 0 ? 1 : -1;
    const QPointF tangent(-std::sin(end) * dir, -std::cos(end) * dir);
    arrow(p, tip - tangent * 0.5, tip + tangent * 0.5, 4.5);
}

void document(QPainter& p, const QRectF& r)
{
    const double fold = r.width() * 0.35;
    QPainterPath page;
    page.moveTo(r.topLeft());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.bottomRight());
    page.lineTo(r.bottomLeft());
    page.closeSubpath();
    p.drawPath(page);
    p.drawPolyline(QPolygonF{
        {r.right() - fold, r.top()}, {r.right() - fold, r.top() + fold}, {r.right(), r.top() + fold}});
}

void folder(QPainter& p, const QRectF& r)
{
    QPainterPath f;
    f.moveTo(r.left(), r.bottom());
    f.lineTo(r.left(), r.top());
    f.lineTo(r.left() + r.width() * 0.35, r.top());
    f.lineTo(r.left() + r.width() * 0.45, r.top() + r.height() * 0.2);
    f.lineTo(r.right(), r.top() + r.height() * 0.2);
    f.lineTo(r.right(), r.bottom());
    f.closeSubpath();
    p.drawPath(f);
    // The open flap.
    p.drawPolyline(
        QPolygonF{{r.left(), r.bottom()}, {r.left() + r.width() * 0.15, r.top() + r.height() * 0.42},
            {r.right() + r.width() * 0.08, r.top() + r.height() * 0.42}, {r.right(), r.bottom()}});
}

void floppy(QPainter& p, const QRectF& r, const GlyphInk& ink)
{
    usePen(p, ink.line);
    QPainterPath body;
    body.moveTo(r.topLeft());
    body.lineTo(r.right() - 3, r.top());
    body.lineTo(r.right(), r.top() + 3);
    body.lineTo(r.bottomRight());
    body.lineTo(r.bottomLeft());
    body.closeSubpath();
    p.drawPath(body);
    const double w = r.width();
    p.drawRect(QRectF(r.left() + w * 0.25, r.top(), w * 0.45, r.height() * 0.3));
    useFill(p, ink.line);
    p.drawRect(QRectF(r.left() + w * 0.2, r.top() + r.height() * 0.58, w * 0.6, r.height() * 0.42));
}

// A pattern: an n x n grid of cells, some of them lit with the accent.
void miniGrid(QPainter& p, const QRectF& r, int n, const GlyphInk& ink, std::initializer_list<int> lit = {})
{
    const double cw = r.width() / n, ch = r.height() / n;
    useFill(p, ink.accent);
    for (int cell : lit)
        p.drawRect(QRectF(r.left() + (cell % n) * cw, r.top() + (cell / n) * ch, cw, ch));
    usePen(p, ink.line, 1.1);
    for (int i = 0; i <= n; ++i) {
        p.drawLine(QPointF(r.left() + i * cw, r.top()), QPointF(r.left() + i * cw, r.bottom()));
        p.drawLine(QPointF(r.left(), r.top() + i * ch), QPointF(r.right(), r.top() + i * ch));
    }
}

void wave(QPainter& p, const QRectF& r, double cycles)
{
    QPainterPath path;
    const int steps = 40;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        const QPointF pt(
            r.left() + t * r.width(), r.center().y() - std::sin(t * cycles * 2 * kPi) * r.height() / 2);
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    p.drawPath(path);
}

void die(QPainter& p, const QRectF& r, const GlyphInk& ink, std::initializer_list<QPointF> pips)
{
    usePen(p, ink.line);
    p.drawRoundedRect(r, 3, 3);
    useFill(p, ink.accent);
    for (const QPointF& pip : pips)
        p.drawEllipse(QPointF(r.left() + pip.x() * r.width(), r.top() + pip.y() * r.height()), 1.6, 1.6);
}

void drum(QPainter& p, const QRectF& r)
{
    const double rim = r.height() * 0.3;
    p.drawEllipse(QRectF(r.left(), r.top(), r.width(), rim));
    p.drawLine(QPointF(r.left(), r.top() + rim / 2), QPointF(r.left(), r.bottom() - rim / 2));
    p.drawLine(QPointF(r.right(), r.top() + rim / 2), QPointF(r.right(), r.bottom() - rim / 2));
    p.drawArc(QRectF(r.left(), r.bottom() - rim, r.width(), rim), 180 * 16, 180 * 16);
    // The zig-zag tension cords.
    QPolygonF cords;
    for (int i = 0; i <= 4; ++i)
        cords << QPointF(r.left() + r.width() * i / 4, (i % 2) ? r.bottom() - rim / 2 : r.top() + rim);
    p.drawPolyline(cords);
}

void cross(QPainter& p, const QRectF& r)
{
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

void plus(QPainter& p, QPointF c, double half)
{
    p.drawLine(c - QPointF(half, 0), c + QPointF(half, 0));
    p.drawLine(c - QPointF(0, half), c + QPointF(0, half));
}

// A small drum in the lower right corner marks the kit editor's own file commands.
void kitBadge(QPainter& p, const GlyphInk& ink)
{
    useFill(p, QColor(40, 40, 40));
    p.drawRect(QRectF(18, 15, 11, 11));
    usePen(p, ink.accent, 1.3);
    drum(p, QRectF(19, 16, 9, 9));
}

// ---- the file commands

void glyphNew(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line);
    document(p, QRectF(8, 5, 14, 19));
    usePen(p, ink.accent, 2);
    plus(p, QPointF(23, 20), 3.5);
}

void glyphLoad(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line);
    folder(p, QRectF(6, 9, 19, 14));
    usePen(p, ink.accent, 1.8);
    arrow(p, QPointF(20, 8), QPointF(20, 2.5), 3);
}

void glyphSave(QPainter& p, const GlyphInk& ink)
{
    floppy(p, QRectF(8, 6, 16, 18), ink);
}

void glyphClear(QPainter& p, const GlyphInk& ink)
{
    miniGrid(p, QRectF(7, 6, 18, 18), 4, ink);
    usePen(p, ink.accent, 2.2);
    cross(p, QRectF(10, 9, 12, 12));
}

void glyphLoadPattern(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line);
    folder(p, QRectF(5, 11, 15, 12));
    miniGrid(p, QRectF(16, 4, 11, 11), 3, ink, {0, 4, 8});
}

void glyphSavePattern(QPainter& p, const GlyphInk& ink)
{
    floppy(p, QRectF(5, 10, 13, 15), ink);
    miniGrid(p, QRectF(16, 4, 11, 11), 3, ink, {2, 4, 6});
}

void glyphImport(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line);
    p.drawRect(QRectF(10, 7, 17, 15));
    p.drawPolyline(QPolygonF{{10, 20}, {15, 14}, {19, 18}, {22, 15}, {27, 20}});
    useFill(p, ink.line);
    p.drawEllipse(QPointF(22, 11), 1.6, 1.6);
    usePen(p, ink.accent, 1.8);
    arrow(p, QPointF(4, 24), QPointF(11, 17), 3.5);
}

void glyphExport(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line);
    wave(p, QRectF(5, 8, 15, 12), 1.5);
    usePen(p, ink.accent, 1.8);
    arrow(p, QPointF(19, 21), QPointF(27, 21), 3.5);
}

void glyphExportMidi(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line);
    p.drawEllipse(QPointF(14, 14), 8, 8);
    useFill(p, ink.line);
    for (int i = 0; i < 5; ++i) {
        const double a = (180 + 45 * i) * kPi / 180;
        p.drawEllipse(QPointF(14 + 4.5 * std::cos(a), 14 - 4.5 * std::sin(a)), 1.1, 1.1);
    }
    usePen(p, ink.accent, 1.8);
    arrow(p, QPointF(19, 23), QPointF(27, 23), 3.5);
}

// ---- playback and windows

void glyphPlay(QPainter& p, const GlyphInk& ink)
{
    useFill(p, ink.accent);
    p.drawPolygon(QPolygonF{{11, 7}, {23, 15}, {11, 23}});
}

void glyphRecord(QPainter& p, const GlyphInk&)
{
    useFill(p, QColor(225, 50, 50));
    p.drawEllipse(QPointF(16, 15), 6.5, 6.5);
}

void glyphKits(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line);
    drum(p, QRectF(7, 11, 18, 13));
    usePen(p, ink.accent, 1.6);
    p.drawLine(QPointF(10, 5), QPointF(16, 12));
    p.drawLine(QPointF(23, 5), QPointF(17, 12));
}

void glyphPatterns(QPainter& p, const GlyphInk& ink)
{
    miniGrid(p, QRectF(6, 5, 9, 9), 2, ink, {0});
    miniGrid(p, QRectF(17, 5, 9, 9), 2, ink, {3});
    miniGrid(p, QRectF(6, 16, 9, 9), 2, ink, {1});
    miniGrid(p, QRectF(17, 16, 9, 9), 2, ink, {2});
}

void glyphSettings(QPainter& p, const GlyphInk& ink)
{
    const QPointF c(16, 15);
    QPolygonF cog;
    for (int i = 0; i < 32; ++i) {
        const double a = i * 2 * kPi / 32;
        const double r = (i / 2) % 2 ? 6 : 8.5;
        cog << c + QPointF(r * std::cos(a + kPi / 32), r * std::sin(a + kPi / 32));
    }
    usePen(p, ink.line, 1.4);
    p.drawPolygon(cog);
    usePen(p, ink.accent, 1.6);
    p.drawEllipse(c, 2.5, 2.5);
}

void glyphGrid(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.accent, 1.3);
    for (int i = 0; i < 4; ++i) {
        p.drawLine(QPointF(7 + 6 * i, 6), QPointF(7 + 6 * i, 24));
        p.drawLine(QPointF(7, 6 + 6 * i), QPointF(25, 6 + 6 * i));
    }
}

void glyphAbout(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line);
    p.drawEllipse(QPointF(16, 15), 9, 9);
    usePen(p, ink.accent, 2.2);
    p.drawLine(QPointF(16, 13), QPointF(16, 20));
    useFill(p, ink.accent);
    p.drawEllipse(QPointF(16, 9.5), 1.4, 1.4);
}

// ---- colour tools

void glyphMutate(QPainter& p, const GlyphInk& ink)
{
    // A double helix.
    QPainterPath a, b;
    for (int i = 0; i <= 30; ++i) {
        const double y = 5 + i * 20.0 / 30;
        const double s = std::sin(i * 2 * kPi / 20) * 6;
        if (i == 0) {
            a.moveTo(16 + s, y);
            b.moveTo(16 - s, y);
        } else {
            a.lineTo(16 + s, y);
            b.lineTo(16 - s, y);
        }
    }
    usePen(p, ink.line);
    p.drawPath(a);
    usePen(p, ink.accent);
    p.drawPath(b);
    usePen(p, ink.line, 1);
    for (double y : {8.5, 13.5, 18.5, 23.5}) {
        const double s = std::sin((y - 5) / 20 * 30 * 2 * kPi / 20) * 6;
        p.drawLine(QPointF(16 - s, y), QPointF(16 + s, y));
    }
}

void glyphMap(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line, 1.3);
    p.drawPolyline(QPolygonF{{6, 5}, {6, 24}, {26, 24}});
    usePen(p, ink.accent, 1.8);
    QPainterPath curve;
    curve.moveTo(6, 24);
    curve.cubicTo(QPointF(18, 23), QPointF(20, 16), QPointF(26, 6));
    p.drawPath(curve);
}

void glyphFilter(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line);
    p.drawPolygon(QPolygonF{{6, 6}, {26, 6}, {18, 15}, {18, 23}, {14, 25}, {14, 15}});
    useFill(p, ink.accent);
    p.drawEllipse(QPointF(11, 3.5), 1.2, 1.2);
    p.drawEllipse(QPointF(16, 2.5), 1.2, 1.2);
    p.drawEllipse(QPointF(21, 3.5), 1.2, 1.2);
}

void glyphColors(QPainter& p, const GlyphInk&)
{
    p.setPen(Qt::NoPen);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.setBrush(QColor(200, 40, 40));
    p.drawEllipse(QPointF(12.5, 12), 6, 6);
    p.setBrush(QColor(40, 170, 40));
    p.drawEllipse(QPointF(19.5, 12), 6, 6);
    p.setBrush(QColor(50, 70, 220));
    p.drawEllipse(QPointF(16, 18), 6, 6);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// ---- transforms

void mirror(QPainter& p, const GlyphInk& ink, bool horizontal)
{
    p.save();
    if (!horizontal) {
        p.translate(16, 15);
        p.rotate(90);
        p.translate(-16, -15);
    }
    usePen(p, ink.accent, 1.3);
    p.setPen(QPen(ink.accent, 1.3, Qt::DashLine));
    p.drawLine(QPointF(16, 4), QPointF(16, 26));
    useFill(p, ink.line);
    p.drawPolygon(QPolygonF{{13, 9}, {13, 21}, {6, 15}});
    usePen(p, ink.line, 1.4);
    p.drawPolygon(QPolygonF{{19, 9}, {19, 21}, {26, 15}});
    p.restore();
}

void glyphRevX(QPainter& p, const GlyphInk& ink)
{
    mirror(p, ink, true);
}

void glyphRevY(QPainter& p, const GlyphInk& ink)
{
    mirror(p, ink, false);
}

void glyphRotate(QPainter& p, const GlyphInk& ink)
{
    miniGrid(p, QRectF(12, 11, 8, 8), 2, ink, {0});
    usePen(p, ink.accent, 1.8);
    curvedArrow(p, QPointF(16, 15), 9, -30, 270);
}

void glyphRotate2(QPainter& p, const GlyphInk& ink)
{
    miniGrid(p, QRectF(12, 11, 8, 8), 2, ink, {1});
    usePen(p, ink.accent, 1.8);
    curvedArrow(p, QPointF(16, 15), 9, 210, -270);
}

void glyphCopy(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line);
    p.drawRect(QRectF(6, 5, 12, 14));
    useFill(p, QColor(60, 60, 60));
    p.drawRect(QRectF(13, 10, 12, 14));
    usePen(p, ink.accent);
    p.drawRect(QRectF(13, 10, 12, 14));
}

void glyphCut(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line);
    p.drawLine(QPointF(10, 4), QPointF(19, 19));
    p.drawLine(QPointF(22, 4), QPointF(13, 19));
    usePen(p, ink.accent, 1.8);
    p.drawEllipse(QPointF(11, 22), 3, 3);
    p.drawEllipse(QPointF(21, 22), 3, 3);
}

void glyphPaste(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line);
    p.drawRoundedRect(QRectF(7, 6, 16, 19), 2, 2);
    useFill(p, ink.line);
    p.drawRect(QRectF(11, 4, 8, 4));
    useFill(p, QColor(60, 60, 60));
    p.drawRect(QRectF(14, 12, 12, 13));
    usePen(p, ink.accent);
    p.drawRect(QRectF(14, 12, 12, 13));
}

void glyphMix(QPainter& p, const GlyphInk& ink)
{
    useFill(p, ink.accent);
    p.drawRect(QRectF(13, 12, 7, 6));
    usePen(p, ink.line);
    p.drawRect(QRectF(6, 6, 14, 12));
    usePen(p, ink.accent);
    p.drawRect(QRectF(13, 12, 13, 12));
}

void glyphLineH(QPainter& p, const GlyphInk& ink)
{
    useFill(p, ink.line);
    p.drawRect(QRectF(5, 6, 14, 3));
    p.drawRect(QRectF(5, 13.5, 14, 3));
    p.drawRect(QRectF(5, 21, 14, 3));
    usePen(p, ink.accent, 1.6);
    arrow(p, QPointF(24, 15), QPointF(24, 5), 3);
    arrow(p, QPointF(24, 15), QPointF(24, 25), 3);
}

void glyphLineV(QPainter& p, const GlyphInk& ink)
{
    useFill(p, ink.line);
    p.drawRect(QRectF(7, 4, 3, 14));
    p.drawRect(QRectF(14.5, 4, 3, 14));
    p.drawRect(QRectF(22, 4, 3, 14));
    usePen(p, ink.accent, 1.6);
    arrow(p, QPointF(16, 23), QPointF(5, 23), 3);
    arrow(p, QPointF(16, 23), QPointF(27, 23), 3);
}

void glyphCells(QPainter& p, const GlyphInk& ink)
{
    useFill(p, ink.line);
    const QPointF cells[] = {{6, 5}, {14, 8}, {22, 5}, {9, 13}, {19, 14}, {5, 20}, {13, 21}, {23, 20}};
    for (const QPointF& c : cells)
        p.drawRect(QRectF(c, QSizeF(4, 4)));
    useFill(p, ink.accent);
    p.drawRect(QRectF(QPointF(14, 15), QSizeF(4, 4)));
    p.drawRect(QRectF(QPointF(24, 12), QSizeF(4, 4)));
}

void glyphRnd(QPainter& p, const GlyphInk& ink)
{
    die(p, QRectF(7, 5, 19, 19), ink, {{0.25, 0.25}, {0.75, 0.25}, {0.5, 0.5}, {0.25, 0.75}, {0.75, 0.75}});
}

void glyphAutomata(QPainter& p, const GlyphInk& ink)
{
    // A glider of the game of life.
    miniGrid(p, QRectF(7, 6, 18, 18), 3, ink, {1, 5, 6, 7, 8});
}

void glyphDrum(QPainter& p, const GlyphInk& ink)
{
    // Two rows of eight steps, some of them struck.
    const double w = 2.6, gap = 0.4;
    for (int row = 0; row < 3; ++row) {
        for (int i = 0; i < 8; ++i) {
            const bool hit = row == 0 ? (i % 4 == 0) : row == 1 ? (i % 4 == 2) : true;
            if (hit)
                useFill(p, row == 2 ? ink.line : ink.accent);
            else
                useFill(p, QColor(90, 90, 90));
            p.drawRect(QRectF(4.5 + i * (w + gap), 7 + row * 6, w, 4.5));
        }
    }
}

void glyphWaveSeq(QPainter& p, const GlyphInk& ink)
{
    usePen(p, QColor(100, 100, 100), 1);
    p.drawLine(QPointF(5, 15), QPointF(27, 15));
    usePen(p, ink.accent, 1.8);
    wave(p, QRectF(5, 7, 22, 16), 2);
}

void glyphCam(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line);
    p.drawRoundedRect(QRectF(5, 9, 22, 15), 2, 2);
    p.drawRect(QRectF(10, 6, 6, 3));
    usePen(p, ink.accent, 1.8);
    p.drawEllipse(QPointF(16, 16.5), 4.5, 4.5);
}

// ---- drawing tools

void glyphPencil(QPainter& p, const GlyphInk& ink)
{
    p.save();
    p.translate(16, 15);
    p.rotate(-45);
    usePen(p, ink.line, 1.4);
    p.drawRect(QRectF(-10, -3.5, 15, 7));
    p.drawLine(QPointF(-6.5, -3.5), QPointF(-6.5, 3.5));
    p.drawPolyline(QPolygonF{{5, -3.5}, {11, 0}, {5, 3.5}});
    useFill(p, ink.accent);
    p.drawPolygon(QPolygonF{{9, -1.2}, {11.5, 0}, {9, 1.2}});
    p.restore();
}

void glyphEraser(QPainter& p, const GlyphInk& ink)
{
    p.save();
    p.translate(16, 14);
    p.rotate(-35);
    usePen(p, ink.line, 1.4);
    p.drawRect(QRectF(-9, -4, 18, 8));
    useFill(p, ink.accent);
    p.drawRect(QRectF(-9, -4, 7, 8));
    p.restore();
    usePen(p, QColor(120, 120, 120), 1);
    p.drawLine(QPointF(5, 25), QPointF(27, 25));
}

void glyphLine(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line, 1.8);
    p.drawLine(QPointF(8, 22), QPointF(24, 8));
    useFill(p, ink.accent);
    p.drawEllipse(QPointF(8, 22), 2.4, 2.4);
    p.drawEllipse(QPointF(24, 8), 2.4, 2.4);
}

void glyphAero(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line, 1.4);
    p.drawRoundedRect(QRectF(15, 11, 9, 14), 2, 2);
    p.drawRect(QRectF(17.5, 7.5, 4, 3.5));
    useFill(p, ink.accent);
    const QPointF spray[] = {{11, 8}, {8, 6}, {9, 11}, {6, 9}, {5, 13}, {11, 13.5}, {7, 16}, {12, 4.5}};
    for (const QPointF& d : spray)
        p.drawEllipse(d, 0.9, 0.9);
}

void glyphHand(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line, 1.3);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(10, 13, 13, 11), 4, 4);
    p.drawPath(hand);
    const double fingers[][3] = {{10.5, 7, 8}, {14, 4.5, 10}, {17.5, 5, 10}, {21, 7.5, 8}};
    for (const auto& f : fingers)
        p.drawRoundedRect(QRectF(f[0], f[1], 2.8, f[2]), 1.4, 1.4);
    p.drawRoundedRect(QRectF(5.5, 14, 6, 3), 1.5, 1.5);
    usePen(p, ink.accent, 1);
    p.drawLine(QPointF(13, 19), QPointF(20, 19));
}

void glyphSelector(QPainter& p, const GlyphInk& ink)
{
    p.setPen(QPen(ink.line, 1.5, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(6, 6, 20, 17));
    useFill(p, ink.accent);
    p.drawRect(QRectF(4.5, 4.5, 3, 3));
    p.drawRect(QRectF(24.5, 21.5, 3, 3));
}

void glyphEyeDropper(QPainter& p, const GlyphInk& ink)
{
    p.save();
    p.translate(16, 15);
    p.rotate(-45);
    usePen(p, ink.line, 1.4);
    p.drawRoundedRect(QRectF(-11, -3, 7, 6), 2, 2);
    p.drawLine(QPointF(-4, -4.5), QPointF(-4, 4.5));
    p.drawRect(QRectF(-4, -2, 10, 4));
    p.drawLine(QPointF(6, 0), QPointF(10, 0));
    p.restore();
    useFill(p, ink.accent);
    p.drawEllipse(QPointF(8, 24), 2, 2);
}

void glyphUndo(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line, 1.8);
    QPainterPath hook;
    hook.moveTo(24, 23);
    hook.cubicTo(QPointF(28, 12), QPointF(18, 8), QPointF(8, 10));
    p.drawPath(hook);
    usePen(p, ink.accent, 1.8);
    p.drawPolyline(QPolygonF{{12, 5.5}, {7.5, 10}, {12, 14.5}});
}

void glyphRedo(QPainter& p, const GlyphInk& ink)
{
    p.save();
    p.translate(32, 0);
    p.scale(-1, 1);
    glyphUndo(p, ink);
    p.restore();
}

// ---- the kit editor

void glyphKitClear(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line, 1.4);
    for (int i = 0; i < 4; ++i) {
        p.drawEllipse(QPointF(7, 7 + 5 * i), 1, 1);
        p.drawLine(QPointF(10, 7 + 5 * i), QPointF(24, 7 + 5 * i));
    }
    usePen(p, ink.accent, 2.2);
    cross(p, QRectF(13, 10, 12, 12));
}

void glyphKitLoad(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line);
    folder(p, QRectF(4, 7, 17, 13));
    kitBadge(p, ink);
}

void glyphKitSave(QPainter& p, const GlyphInk& ink)
{
    floppy(p, QRectF(5, 5, 14, 16), ink);
    kitBadge(p, ink);
}

void glyphAdd(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line);
    document(p, QRectF(6, 5, 15, 20));
    usePen(p, ink.line, 1.1);
    wave(p, QRectF(8, 12, 10, 7), 1.5);
    usePen(p, ink.accent, 2);
    plus(p, QPointF(23.5, 21), 3.5);
}

void glyphFolder(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line);
    folder(p, QRectF(5, 6, 21, 17));
    usePen(p, ink.accent, 1.3);
    wave(p, QRectF(10, 14, 13, 6), 2);
}

void glyphRandom(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line);
    folder(p, QRectF(4, 5, 16, 12));
    useFill(p, QColor(40, 40, 40));
    p.drawRect(QRectF(14, 12, 14, 14));
    die(p, QRectF(15, 13, 12, 12), ink, {{0.27, 0.27}, {0.5, 0.5}, {0.73, 0.73}});
}

void glyphSlicer(QPainter& p, const GlyphInk& ink)
{
    usePen(p, ink.line, 1.4);
    wave(p, QRectF(4, 8, 24, 14), 2.5);
    p.setPen(QPen(ink.accent, 1.3, Qt::DashLine));
    for (double x : {10.0, 16.0, 22.0})
        p.drawLine(QPointF(x, 4), QPointF(x, 26));
}

struct Glyph {
    QStringView name;
    GlyphDrawer draw;
};

const Glyph kGlyphs[] = {
    {u"New", glyphNew},
    {u"Load", glyphLoad},
    {u"Save", glyphSave},
    {u"Clear", glyphClear},
    {u"Load Pattern", glyphLoadPattern},
    {u"Save Pattern", glyphSavePattern},
    {u"Import", glyphImport},
    {u"Export", glyphExport},
    {u"ExportMidi", glyphExportMidi},
    {u"Play", glyphPlay},
    {u"Record", glyphRecord},
    {u"Kits", glyphKits},
    {u"Patterns", glyphPatterns},
    {u"Settings", glyphSettings},
    {u"Grid", glyphGrid},
    {u"About", glyphAbout},
    {u"Mutate", glyphMutate},
    {u"Map", glyphMap},
    {u"Filter", glyphFilter},
    {u"Colors", glyphColors},
    {u"RevX", glyphRevX},
    {u"RevY", glyphRevY},
    {u"Rotate", glyphRotate},
    {u"Rotate2", glyphRotate2},
    {u"Copy", glyphCopy},
    {u"Cut", glyphCut},
    {u"Paste", glyphPaste},
    {u"Mix", glyphMix},
    {u"Line H", glyphLineH},
    {u"Line V", glyphLineV},
    {u"Cells", glyphCells},
    {u"Rnd", glyphRnd},
    {u"Automata", glyphAutomata},
    {u"Drum", glyphDrum},
    {u"WaveSeq", glyphWaveSeq},
    {u"Cam", glyphCam},
    {u"Pencil", glyphPencil},
    {u"Eraser", glyphEraser},
    {u"Line", glyphLine},
    {u"Aero", glyphAero},
    {u"Hand", glyphHand},
    {u"Selector", glyphSelector},
    {u"EyeDropper", glyphEyeDropper},
    {u"Undo", glyphUndo},
    {u"Redo", glyphRedo},
    {u"Kit Clear", glyphKitClear},
    {u"Kit Load", glyphKitLoad},
    {u"Kit Save", glyphKitSave},
    {u"Add", glyphAdd},
    {u"Folder", glyphFolder},
    {u"Random", glyphRandom},
    {u"Slicer", glyphSlicer},
};

} // namespace

GlyphDrawer glyphFor(QStringView name)
{
    for (const Glyph& g : kGlyphs) {
        if (g.name == name)
            return g.draw;
    }
    return nullptr;
}

QStringList glyphNames()
{
    QStringList names;
    for (const Glyph& g : kGlyphs)
        names << g.name.toString();
    return names;
}

} // namespace quom
