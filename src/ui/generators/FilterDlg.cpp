#include "ui/generators/FilterDlg.h"

#include "core/generators/CellFilter.h"
#include "core/project/Project.h"
#include "ui/controls/ColorWord.h"
#include "ui/controls/Theme.h"
#include "ui/controls/UserPrompts.h"
#include "ui/controls/WaitCursor.h"
#include "ui/generators/GeneratorSliders.h"

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace quom {

namespace {

constexpr QRect kGrid{QPoint(20, 20), QPoint(439, 355)}; // (20, 20) - (440, 356)
constexpr int kPitch = 84; // a thumbnail and the gap after it
constexpr int kThumbnail = 64;
constexpr int kGridColumns = 5;
constexpr int kVisibleRows = 4;
const QColor kSelectedFrame{255, 0, 0};
const QColor kEmptyFrame{100, 100, 100};

// Cell (x, y) at pixel (x, y).
QImage thumbnailOf(const Grid& cells)
{
    QImage image(kThumbnail, kThumbnail, QImage::Format_RGB32);
    for (int y = 0; y < kThumbnail; ++y) {
        for (int x = 0; x < kThumbnail; ++x)
            image.setPixelColor(x, y, toQColor(cells[static_cast<std::size_t>(cellIndex(x, y))]));
    }
    return image;
}

QLabel* label(QWidget* window, const QString& text, const QRect& where)
{
    auto* shown = new QLabel(text, window);
    shown->setGeometry(where);
    return shown;
}

} // namespace

FilterDlg::FilterDlg(Project& project, FilterSettings& settings, const std::string& folder,
    UserPrompts& prompts, QWidget* parent)
    : PatternToolDlg(project, QStringLiteral("Filters..."), parent)
    , settings_(settings)
{
    setFixedSize(469, 417);
    FilterList loaded;
    {
        const WaitCursor wait;
        loaded = loadFilters(folder);
        filters_ = std::move(loaded.filters);
        for (const FilterFile& filter : filters_)
            thumbnails_.push_back(thumbnailOf(filter.cells));
    }
    for (const std::string& text : loaded.messages)
        prompts.message(this, QString::fromStdString(text), QStringLiteral("Quom"));

    const int below = kGrid.bottom() + 1 + 8;
    label(this, QStringLiteral("Destination"), {kGrid.left(), below, 62, 15});
    destination_ = new QComboBox(this);
    destination_->setObjectName(QStringLiteral("destination"));
    destination_->addItems(
        {QStringLiteral("volume (red)"), QStringLiteral("pan (green)"), QStringLiteral("pitch (blue)")});
    destination_->setCurrentIndex(std::clamp(settings_.destination, 0, 2));
    destination_->setGeometry(kGrid.left() + 64, below - 3, 112, 21);

    label(this, QStringLiteral("Amount"), {kGrid.left() + 190, below, 40, 15});
    QLabel* amountText = label(this, QString(), {kGrid.left() + 336, below, 30, 15});
    amountText->setObjectName(QStringLiteral("amount value"));
    amount_ = new FilterSlider(*amountText, this);
    amount_->setObjectName(QStringLiteral("amount"));
    amount_->setGeometry(kGrid.left() + 230, below, 100, 15);
    amount_->setUp(1, 100, std::clamp(settings_.amount, 1, 100));

    // The range counts the first visible row; the page shows the four rows in view.
    const int scrollRows = std::max(kVisibleRows, (filterCount() + kGridColumns - 1) / kGridColumns);
    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setGeometry(kGrid.right() + 1, kGrid.top(), 16, kGrid.height() - 20);
    scrollBar_->setRange(0, scrollRows - kVisibleRows);
    scrollBar_->setPageStep(kVisibleRows);
    connect(scrollBar_, &QScrollBar::actionTriggered, this, &FilterDlg::keepPageStepsToOneRow);
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int row) {
        firstRow_ = row;
        update();
    });

    const int remembered = settings_.filterIndex;
    selected_ = remembered >= filterCount() ? (filters_.empty() ? -1 : 0) : std::max(remembered, -1);
    addOkButton(243, 238);
}

QPoint FilterDlg::slotOrigin(int c, int r)
{
    return kGrid.topLeft() + QPoint(c * kPitch, r * kPitch);
}

void FilterDlg::keepPageStepsToOneRow(int action)
{
    // Called before the move takes effect, so the position can still be changed.
    if (action == QAbstractSlider::SliderPageStepAdd)
        scrollBar_->setSliderPosition(scrollBar_->value() + 1);
    else if (action == QAbstractSlider::SliderPageStepSub)
        scrollBar_->setSliderPosition(scrollBar_->value() - 1);
}

void FilterDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), theme::kBackground);
    for (int slot = 0; slot < kGridColumns * kVisibleRows; ++slot) {
        const QPoint origin = slotOrigin(slot % kGridColumns, slot / kGridColumns);
        const QRect frame(origin - QPoint(1, 1), QSize(kThumbnail + 1, kThumbnail + 1));
        const int index = slot + firstRow_ * kGridColumns;
        if (index >= filterCount()) {
            painter.setPen(kEmptyFrame);
            painter.drawRect(frame);
            continue;
        }
        painter.drawImage(origin, thumbnails_[static_cast<std::size_t>(index)]);
        if (index == selected_) {
            painter.setPen(kSelectedFrame);
            painter.drawRect(frame);
        }
    }
}

int FilterDlg::filterAt(QPointF at) const
{
    // Truncated toward zero, so the gap right of and below a thumbnail belongs to it.
    const int c = static_cast<int>((at.x() - kGrid.left()) / kPitch);
    const int r = static_cast<int>((at.y() - kGrid.top()) / kPitch);
    if (c > kGridColumns - 1 || r > kVisibleRows - 1)
        return -1;
    const int index = c + (r + firstRow_) * kGridColumns;
    return index < filterCount() ? index : -1;
}

void FilterDlg::select(int index)
{
    if (index == selected_)
        return;
    selected_ = index;
    update();
}

void FilterDlg::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (const int index = filterAt(event->position()); index >= 0)
        select(index);
}

void FilterDlg::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (const int index = filterAt(event->position()); index >= 0) {
        select(index);
        accept();
    }
}

void FilterDlg::accept()
{
    settings_.destination = destination_->currentIndex();
    settings_.amount = amount_->wholeValue();
    settings_.filterIndex = selected_;
    if (selected_ < 0) {
        // Nothing was changed, so there is nothing to undo.
        QDialog::accept();
        return;
    }
    Grid& filter = project().model().filterGrid();
    filter = filters_[static_cast<std::size_t>(selected_)].cells;
    Grid cells = startingPattern();
    applyCellFilter(cells, filter, settings_.destination, settings_.amount);
    showPattern(cells);
    PatternToolDlg::accept();
}

} // namespace quom
