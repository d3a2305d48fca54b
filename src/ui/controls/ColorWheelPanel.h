#pragma once

#include "core/color/HsbColor.h"
#include "platform/pictures/Dib.h"

#include <QImage>
#include <QWidget>

namespace quom {

// The 202 x 201 hue/saturation wheel: hue runs counter-clockwise from red at the right,
// saturation from grey at the centre to full at a radius of 100. Outside the circle it
// shows surround.
QImage makeColorWheel(const QColor& surround);

// The colour picker's picture area: the wheel, the brightness bar beside it, and a marker
// on each for the current colour. Pressing or dragging on them reports the picked values.
class ColorWheelPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWheelWidth = 202;
    static constexpr int kWheelHeight = 201;
    static constexpr int kRadius = 100;
    static constexpr int kBarWidth = 20;

    explicit ColorWheelPanel(QWidget* parent = nullptr);

    // Rebuilds the bar's palette when hue or saturation changed, and moves the markers.
    void setHsb(const Hsb& hsb);

    QRect wheelRect() const;
    QPoint wheelCenter() const;
    QRect barRect() const;
    // The brightness bar's colours, top row first.
    const CDIB& bar() const { return bar_; }

signals:
    void wheelPicked(int hue, int saturation);
    void barPicked(int brightness);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    enum class Drag { None, Wheel, Bar };

    void rebuildBarPalette();
    void pick(QPoint pos);

    QImage wheel_;
    CDIB bar_;
    Hsb hsb_;
    Drag drag_ = Drag::None;
};

} // namespace quom
