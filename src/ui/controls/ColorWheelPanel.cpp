#include "ui/controls/ColorWheelPanel.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace quom {
namespace {

constexpr double kPi = 3.1415925;
// The wheel's top-left corner inside the panel.
constexpr QPoint kWheelOrigin{15, 25};
constexpr int kBarGap = 20;

double degrees(double radians)
{
    return radians * 180.0 / kPi;
}

QColor qColor(const Rgb& c)
{
    return QColor(c.red, c.green, c.blue);
}

// The hue and saturation at an offset from the wheel's centre, up being positive.
Hsb hueSaturationAt(int dx, int up)
{
    double hue = (dx == 0 && up == 0) ? 0.0 : degrees(std::atan2(up, dx));
    if (hue < 0)
        hue += 360.0;
    const double distance = std::hypot(dx, up);
    Hsb hsb;
    hsb.hue = std::min(static_cast<int>(hue), 359);
    hsb.saturation = std::min(static_cast<int>(distance * 255.0 / ColorWheelPanel::kRadius), 255);
    return hsb;
}

} // namespace

QImage makeColorWheel(const QColor& surround)
{
    QImage wheel(ColorWheelPanel::kWheelWidth, ColorWheelPanel::kWheelHeight, QImage::Format_RGB32);
    const int r = ColorWheelPanel::kRadius;
    for (int y = 0; y < wheel.height(); ++y) {
        for (int x = 0; x < wheel.width(); ++x) {
            const int dx = x - r, up = r - y;
            // Half a pixel of blending either side of the rim keeps the circle smooth.
            const double cover = std::clamp(r + 0.5 - std::hypot(dx, up), 0.0, 1.0);
            if (cover <= 0) {
                wheel.setPixelColor(x, y, surround);
                continue;
            }
            Hsb hsb = hueSaturationAt(dx, up);
            hsb.brightness = 255;
            const QColor c = qColor(rgbFromHsb(hsb));
            auto blend = [cover](int a, int b) {
                return static_cast<int>(std::lround(a * cover + b * (1 - cover)));
            };
            wheel.setPixelColor(x, y,
                QColor(blend(c.red(), surround.red()), blend(c.green(), surround.green()),
                    blend(c.blue(), surround.blue())));
        }
    }
    return wheel;
}

ColorWheelPanel::ColorWheelPanel(QWidget* parent)
    : QWidget(parent)
{
    bar_.create(kBarWidth, kWheelHeight, 8);
    for (int y = 0; y < kWheelHeight; ++y)
        std::fill_n(bar_.row(y), kBarWidth, static_cast<std::uint8_t>(y));
    rebuildBarPalette();
}

QRect ColorWheelPanel::wheelRect() const
{
    return {kWheelOrigin, QSize(kWheelWidth, kWheelHeight)};
}

QPoint ColorWheelPanel::wheelCenter() const
{
    return kWheelOrigin + QPoint(kRadius, kRadius);
}

QRect ColorWheelPanel::barRect() const
{
    return {kWheelOrigin.x() + kWheelWidth + kBarGap, kWheelOrigin.y(), kBarWidth, kWheelHeight};
}

void ColorWheelPanel::setHsb(const Hsb& hsb)
{
    const bool barChanged = hsb.hue != hsb_.hue || hsb.saturation != hsb_.saturation;
    hsb_ = hsb;
    if (barChanged)
        rebuildBarPalette();
    update();
}

void ColorWheelPanel::rebuildBarPalette()
{
    // Row i shows palette entry i: full brightness at the top down to black at the bottom.
    std::array<std::uint8_t, 3 * 256> triplets{};
    const double step = 255.0 / kWheelHeight;
    for (int n = kWheelHeight - 1, entry = 0; n >= 0; --n, ++entry) {
        const Rgb c = rgbFromHsb({hsb_.hue, hsb_.saturation, static_cast<int>(step * n)});
        triplets[3 * entry + 0] = static_cast<std::uint8_t>(c.red);
        triplets[3 * entry + 1] = static_cast<std::uint8_t>(c.green);
        triplets[3 * entry + 2] = static_cast<std::uint8_t>(c.blue);
    }
    bar_.setPalette(triplets);
}

void ColorWheelPanel::paintEvent(QPaintEvent*)
{
    if (wheel_.isNull())
        wheel_ = makeColorWheel(palette().color(QPalette::Window));

    QImage buffer(size(), QImage::Format_RGB32);
    buffer.fill(palette().color(QPalette::Window));
    QPainter p(&buffer);
    p.setPen(QColor(96, 96, 96));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawImage(wheelRect().topLeft(), wheel_);
    const QRect bar = barRect();
    bar_.draw(p, bar.x(), bar.y(), bar.width(), bar.height(), 0, 0);

    // Inverting markers stay visible on any colour below them.
    p.setCompositionMode(QPainter::CompositionMode_Difference);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 1));
    const double s = hsb_.saturation * double(kRadius) / 255.0;
    const double angle = hsb_.hue * kPi / 180.0;
    const QPoint c = wheelCenter();
    const QPoint mark(
        static_cast<int>(c.x() + std::cos(angle) * s), static_cast<int>(c.y() - std::sin(angle) * s));
    p.drawRect(QRect(mark - QPoint(5, 5), QSize(9, 9)));

    p.setPen(QPen(Qt::white, 2));
    const int y = bar.y() + bar.height() - bar.height() * hsb_.brightness / 255;
    p.drawRect(QRect(bar.left() - 2, y - 4, bar.width() + 4, 8));
    p.end();

    QPainter(this).drawImage(0, 0, buffer);
}

void ColorWheelPanel::pick(QPoint pos)
{
    if (drag_ == Drag::Wheel) {
        const QPoint c = wheelCenter();
        const Hsb hs = hueSaturationAt(pos.x() - c.x(), c.y() - pos.y());
        emit wheelPicked(hs.hue, hs.saturation);
    } else if (drag_ == Drag::Bar) {
        const QRect bar = barRect();
        const int bottom = bar.y() + bar.height();
        emit barPicked(std::clamp((bottom - pos.y()) * 255 / bar.height(), 0, 255));
    }
}

void ColorWheelPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    const QPoint d = pos - wheelCenter();
    if (std::hypot(d.x(), d.y()) <= kRadius)
        drag_ = Drag::Wheel;
    else if (barRect().contains(pos))
        drag_ = Drag::Bar;
    pick(pos);
}

void ColorWheelPanel::mouseMoveEvent(QMouseEvent* event)
{
    pick(event->position().toPoint());
}

void ColorWheelPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        drag_ = Drag::None;
}

} // namespace quom
