#include "ui/patterns/CPatternsDlg.h"

#include "core/model/PatternModel.h"
#include "ui/controls/PatternThumbnail.h"
#include "ui/controls/Theme.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace quom {

namespace {

constexpr int kMargin = 20;
constexpr int kPitch = 148; // a thumbnail and the gap after it

} // namespace

CPatternsDlg::CPatternsDlg(const PatternModel& patterns, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Patterns..."));
    theme::apply(this);
    setFixedSize(theme::dluRect(0, 0, 407, 374).size());
    setMouseTracking(true);
    for (int n = 0; n < kPatternSlots; ++n)
        thumbnails_[static_cast<std::size_t>(n)] = thumbnailOf(patterns.slot(n));
}

QPoint CPatternsDlg::thumbnailOrigin(int n)
{
    return {kMargin + (n % 4) * kPitch, kMargin + (n / 4) * kPitch};
}

void CPatternsDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), theme::kBackground);
    for (int n = 0; n < kPatternSlots; ++n)
        painter.drawImage(thumbnailOrigin(n), thumbnails_[static_cast<std::size_t>(n)]);
    painter.setPen(Qt::white);
    painter.drawRect(
        QRect(thumbnailOrigin(highlighted_) - QPoint(1, 1), QSize(kThumbnailSize + 1, kThumbnailSize + 1)));
}

void CPatternsDlg::highlight(int n)
{
    if (n == highlighted_)
        return;
    highlighted_ = n;
    update();
}

void CPatternsDlg::mouseMoveEvent(QMouseEvent* event)
{
    // Truncating toward zero: a gap belongs to the thumbnail above and to the left of it.
    const QPoint at = event->position().toPoint();
    const int column = (at.x() - kMargin) / kPitch;
    const int row = (at.y() - kMargin) / kPitch;
    if (column >= 0 && column < 4 && row >= 0 && row < 4)
        highlight(column + 4 * row);
}

void CPatternsDlg::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        accept();
}

void CPatternsDlg::keyPressEvent(QKeyEvent* event)
{
    const int n = highlighted_;
    switch (event->key()) {
    case Qt::Key_Up:
        highlight(n < 4 ? n + 12 : n - 4);
        return;
    case Qt::Key_Down:
        highlight(n >= 12 ? n % 4 : n + 4);
        return;
    case Qt::Key_Left:
        highlight(n % 4 == 0 ? n + 3 : n - 1);
        return;
    case Qt::Key_Right:
        highlight(n % 4 == 3 ? n - 3 : n + 1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace quom
