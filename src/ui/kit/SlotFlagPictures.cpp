#include "ui/kit/SlotFlagPictures.h"

#include "ui/controls/ButtonGlyphs.h"

#include <QPainter>

namespace quom {

namespace {

// The accent ink when on, a dim one when off.
QPixmap drawn(SlotFlag flag, bool on, QSize size, qreal pixelRatio)
{
    QPixmap pixmap(size * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QColor ink = on ? QColor(255, 170, 90) : QColor(96, 96, 96);
    const QString name = flag == SlotFlag::Loop ? QStringLiteral("Loop") : QStringLiteral("Fade");
    drawInkedSvg(painter, QStringLiteral(":/slot-flags/") + name, {ink, ink}, QRectF(QPointF(0, 0), size));
    return pixmap;
}

} // namespace

const QPixmap& SlotFlagPictures::picture(SlotFlag flag, bool on, qreal pixelRatio)
{
    if (pixelRatio != pixelRatio_) {
        pixelRatio_ = pixelRatio;
        for (const SlotFlag each : {SlotFlag::Loop, SlotFlag::Fade}) {
            for (const bool state : {false, true})
                pictures_[index(each, state)] = drawn(each, state, size_, pixelRatio);
        }
    }
    return pictures_[index(flag, on)];
}

} // namespace quom
