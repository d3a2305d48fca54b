#include "ui/generators/ColorCurvesDlg.h"

#include "ui/controls/Theme.h"
#include "ui/controls/ToolWindowRows.h"
#include "ui/generators/GeneratorSliders.h"

#include <QPainter>
#include <QPolygon>
#include <QPushButton>

namespace quom {

namespace {

constexpr int kPlotSize = 64;
constexpr int kStripOffset = 74; // from the plot's frame to the strip's
constexpr int kStripHeight = 15;
const QColor kFrame(100, 100, 100);

QColor pureColor(int channel, int intensity)
{
    return QColor(channel == 0 ? intensity : 0, channel == 1 ? intensity : 0, channel == 2 ? intensity : 0);
}

} // namespace

QPoint ColorCurvesDlg::plotOrigin(int channel)
{
    return {10 + 79 * channel, 20};
}

ColorCurvesDlg::ColorCurvesDlg(Project& project, QWidget* parent)
    : PatternToolDlg(project, QStringLiteral("Color curves"), parent)
{
    setFixedSize(theme::dluRect(0, 0, 194, 167).size());
    const struct {
        const char* name;
        int y; // pixels, level with the channel's invert button
    } rows[] = {{"red", 137}, {"green", 160}, {"blue", 183}};
    for (int channel = 0; channel < 3; ++channel) {
        const int y = static_cast<int>(rows[channel].y / 1.625);
        auto* slider = addSliderRow<ColorCurvesSlider>(
            this, rows[channel].name, tr(rows[channel].name), y, {7, 20, 28, 87, 120, 12});
        slider->setReaction([this, channel](int v) {
            curves_.amounts[static_cast<std::size_t>(channel)] = v - 50;
            update();
            applyCurves();
        });
        slider->setUp(0, 100, 50);

        auto* invert = new QPushButton(QStringLiteral("inv"), this);
        invert->setObjectName(QStringLiteral("%1 inv").arg(QString::fromUtf8(rows[channel].name)));
        invert->setCheckable(true);
        invert->setFocusPolicy(Qt::NoFocus);
        invert->setGeometry(200, rows[channel].y, 36, 18);
        connect(invert, &QPushButton::toggled, this, [this, channel](bool on) {
            curves_.inverted[static_cast<std::size_t>(channel)] = on;
            update();
            applyCurves();
        });
    }
    initialised_ = true;
    addOkButton(72, 148);
}

void ColorCurvesDlg::applyCurves()
{
    if (initialised_)
        showPattern(withColorCurves(startingPattern(), curves_));
}

void ColorCurvesDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), theme::kBackground);
    for (int channel = 0; channel < 3; ++channel)
        paintChannel(painter, channel);
}

void ColorCurvesDlg::paintChannel(QPainter& painter, int channel) const
{
    const auto c = static_cast<std::size_t>(channel);
    const float p = curveExponent(curves_.amounts[c]);
    const bool inverted = curves_.inverted[c];
    const QPoint at = plotOrigin(channel);
    const QRect plot(at, QSize(kPlotSize, kPlotSize));

    painter.fillRect(plot, Qt::black);
    painter.setPen(kFrame);
    painter.drawRect(plot.adjusted(-1, -1, 0, 0));
    QPolygon curve;
    for (int i = 0; i < kPlotSize; ++i) {
        // A height of 1 would land on the frame below the plot: the last row is inside.
        const int y = std::min(static_cast<int>(curvePlotHeight(i, p, inverted) * kPlotSize), kPlotSize - 1);
        curve << QPoint(at.x() + i, at.y() + y);
    }
    painter.setPen(Qt::white);
    painter.drawPolyline(curve);

    const QRect strip(at.x() - 1, at.y() - 1 + kStripOffset, kPlotSize + 2, kStripHeight);
    painter.setPen(kFrame);
    painter.drawRect(strip.adjusted(0, 0, -1, -1));
    for (int i = 0; i < kPlotSize; ++i) {
        painter.setPen(pureColor(channel, static_cast<int>(curveStripIntensity(i, p, inverted) * 255)));
        painter.drawLine(strip.left() + 1 + i, strip.top() + 1, strip.left() + 1 + i, strip.bottom() - 1);
    }
}

} // namespace quom
