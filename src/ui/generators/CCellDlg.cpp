#include "ui/generators/CCellDlg.h"

#include "core/transport/Transport.h"
#include "ui/controls/ColorWord.h"
#include "ui/controls/Theme.h"
#include "ui/controls/ToolWindowRows.h"
#include "ui/controls/WindowKeys.h"
#include "ui/generators/GeneratorSliders.h"

#include <QMouseEvent>
#include <QPainter>

namespace quom {

// Window-style edges (15, 10) - (90, 80) and (105, 10) - (180, 80).
const QRect CCellDlg::kOldSwatch(15, 10, 75, 70);
const QRect CCellDlg::kNewSwatch(105, 10, 75, 70);

CCellDlg::CCellDlg(Project& project, Transport& transport, int row, Cell color, QWidget* parent)
    : QDialog(parent)
    , loan_(project)
    , transport_(transport)
    , row_(row)
    , oldColor_(color)
    , newColor_(color)
{
    new WindowKeys(*this);
    setWindowTitle(QStringLiteral("Cell Color"));
    theme::apply(this);
    setFixedSize(theme::dluRect(0, 0, 156, 117).size());
    setMouseTracking(true);

    for (int channel = 0; channel < 3; ++channel) {
        const ChannelRow& row = kChannelRows[static_cast<std::size_t>(channel)];
        auto* slider = addSliderRow<CellSlider>(
            this, row.name, tr(row.caption), 60 + 15 * channel, {7, 28, 38, 88, 130, 18});
        const int shift = 8 * channel;
        slider->setReaction([this, shift](int v) {
            newColor_ = (newColor_ & ~(Cell{0xFF} << shift)) | (static_cast<Cell>(v & 0xFF) << shift);
            update();
        });
        slider->setUp(0, 255, static_cast<int>((color >> shift) & 0xFF));
    }
}

CCellDlg::~CCellDlg()
{
    transport_.stopPreview();
}

void CCellDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), theme::kBackground);
    painter.fillRect(kOldSwatch, toQColor(oldColor_));
    painter.fillRect(kNewSwatch, toQColor(newColor_));
}

void CCellDlg::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const bool old = kOldSwatch.contains(at);
    if (!old && !kNewSwatch.contains(at))
        return;
    pressed_ = true;
    showCursor(at);
    // Pressing again restarts the sound.
    transport_.previewCell(row_, old ? oldColor_ : newColor_);
}

void CCellDlg::mouseMoveEvent(QMouseEvent* event)
{
    showCursor(event->position().toPoint());
}

void CCellDlg::mouseReleaseEvent(QMouseEvent* event)
{
    pressed_ = false;
    showCursor(event->position().toPoint());
}

void CCellDlg::showCursor(QPoint at)
{
    if (kOldSwatch.contains(at) || kNewSwatch.contains(at))
        setCursor(pressed_ ? Qt::ClosedHandCursor : Qt::PointingHandCursor);
    else
        unsetCursor();
}

} // namespace quom
