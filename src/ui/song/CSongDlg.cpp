#include "ui/song/CSongDlg.h"

#include "core/transport/Transport.h"
#include "ui/controls/PatternThumbnail.h"
#include "ui/controls/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace quom {

namespace {

// The entry playing stands out in a darker shade of the buttons' accent, legible on the
// list's white.
const QColor kPlayingColor(190, 80, 0);
constexpr int kPlayingPollMs = 50;

QString entryText(const SongEntry& entry)
{
    return QStringLiteral("Pattern %1 x %2").arg(entry.pattern + 1).arg(entry.repeats);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& toolTip)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setToolTip(toolTip);
    // Enter in the repeats box must not add an entry.
    b->setAutoDefault(false);
    return b;
}

} // namespace

CSongDlg::CSongDlg(Project& project, const Transport& transport, QWidget* parent)
    : QDialog(parent)
    , project_(project)
    , transport_(transport)
{
    setWindowTitle(QStringLiteral("Song"));
    theme::apply(this);

    entries_ = new QListWidget(this);
    entries_->setObjectName(QStringLiteral("entries"));
    entries_->setIconSize(QSize(kThumbnailSize, kThumbnailSize));
    entries_->setUniformItemSizes(true);
    entries_->setSelectionMode(QAbstractItemView::SingleSelection);
    entries_->setMinimumWidth(kThumbnailSize + theme::dluX(90));

    add_ = button(this, "add", QStringLiteral("Add"),
        QStringLiteral("Add the current pattern after the selected entry, or at the end."));
    remove_ = button(this, "remove", QStringLiteral("Remove"), QStringLiteral("Remove the selected entry."));
    up_ = button(this, "up", QStringLiteral("Up"), QStringLiteral("Move the selected entry up."));
    down_ = button(this, "down", QStringLiteral("Down"), QStringLiteral("Move the selected entry down."));
    repeats_ = new QSpinBox(this);
    repeats_->setObjectName(QStringLiteral("repeats"));
    repeats_->setRange(kMinRepeats, kMaxRepeats);
    repeats_->setToolTip(QStringLiteral("How many times the selected entry plays its pattern."));
    // A typed number is one edit when it is complete, not one per digit.
    repeats_->setKeyboardTracking(false);

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {add_, remove_, up_, down_})
        side->addWidget(b);
    side->addSpacing(theme::dluY(8));
    side->addWidget(new QLabel(QStringLiteral("Repeats"), this));
    side->addWidget(repeats_);
    side->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(entries_, 1);
    layout->addLayout(side);
    resize(entries_->minimumWidth() + theme::dluX(70), 4 * kThumbnailSize);

    connect(add_, &QPushButton::clicked, this, &CSongDlg::addCurrentPattern);
    connect(remove_, &QPushButton::clicked, this, &CSongDlg::removeEntry);
    connect(up_, &QPushButton::clicked, this, [this] { moveEntry(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { moveEntry(1); });
    connect(repeats_, &QSpinBox::valueChanged, this, &CSongDlg::setRepeats);
    connect(entries_, &QListWidget::currentRowChanged, this, &CSongDlg::showSelection);
    connect(&playingPoll_, &QTimer::timeout, this, &CSongDlg::showPlaying);
    playingPoll_.setInterval(kPlayingPollMs);

    project_.addListener(this);
    showSong();
}

CSongDlg::~CSongDlg()
{
    project_.removeListener(this);
}

int CSongDlg::selectedEntry() const
{
    return entries_->currentRow();
}

void CSongDlg::showEvent(QShowEvent* event)
{
    showPlaying();
    playingPoll_.start();
    QDialog::showEvent(event);
}

void CSongDlg::hideEvent(QHideEvent* event)
{
    playingPoll_.stop();
    QDialog::hideEvent(event);
}

void CSongDlg::songChanged()
{
    showSong();
}

void CSongDlg::patternChanged()
{
    std::array<bool, kPatternSlots> used{};
    for (const SongEntry& entry : project_.song())
        used[static_cast<std::size_t>(entry.pattern)] = true;
    std::array<bool, kPatternSlots> redrawn{};
    for (int pattern = 0; pattern < kPatternSlots; ++pattern) {
        if (used[static_cast<std::size_t>(pattern)])
            redrawn[static_cast<std::size_t>(pattern)] = refreshThumbnail(pattern);
    }
    const int rows = std::min(entries_->count(), static_cast<int>(project_.song().size()));
    for (int row = 0; row < rows; ++row) {
        const int pattern = project_.song()[static_cast<std::size_t>(row)].pattern;
        if (redrawn[static_cast<std::size_t>(pattern)])
            entries_->item(row)->setIcon(thumbnails_[static_cast<std::size_t>(pattern)].icon);
    }
}

bool CSongDlg::refreshThumbnail(int pattern)
{
    const PatternModel& patterns = project_.model();
    // The pattern shown lives in the live grid; its slot is stale until stored.
    const Grid cells
        = pattern == patterns.currentIndex() ? patterns.current().snapshot() : patterns.slot(pattern);
    Thumbnail& thumbnail = thumbnails_[static_cast<std::size_t>(pattern)];
    if (thumbnail.drawn && thumbnail.cells == cells)
        return false;
    thumbnail.cells = cells;
    const QPixmap picture = QPixmap::fromImage(thumbnailOf(cells));
    // The style would tint a selected entry's picture; the cells keep their colours.
    thumbnail.icon = QIcon();
    thumbnail.icon.addPixmap(picture, QIcon::Normal);
    thumbnail.icon.addPixmap(picture, QIcon::Selected);
    thumbnail.drawn = true;
    return true;
}

void CSongDlg::showSong()
{
    const Song& song = project_.song();
    const int keep = editedSelection_ >= 0 ? editedSelection_ : entries_->currentRow();
    const QSignalBlocker quiet(entries_);
    entries_->clear();
    for (const SongEntry& entry : song) {
        refreshThumbnail(entry.pattern);
        entries_->addItem(
            new QListWidgetItem(thumbnails_[static_cast<std::size_t>(entry.pattern)].icon, entryText(entry)));
    }
    entries_->setCurrentRow(std::min(keep, entries_->count() - 1));
    marked_ = -1;
    showPlaying();
    showSelection();
}

void CSongDlg::showSelection()
{
    const int row = entries_->currentRow();
    const int count = entries_->count();
    add_->setEnabled(static_cast<std::size_t>(count) < kMaxSongEntries);
    remove_->setEnabled(row >= 0);
    up_->setEnabled(row > 0);
    down_->setEnabled(row >= 0 && row + 1 < count);
    repeats_->setEnabled(row >= 0);
    if (row >= 0) {
        const QSignalBlocker quiet(repeats_);
        repeats_->setValue(project_.song()[static_cast<std::size_t>(row)].repeats);
    }
}

void CSongDlg::showPlaying()
{
    const int playing = transport_.songEntry();
    if (playing == marked_)
        return;
    const auto mark = [this](int row, bool on) {
        QListWidgetItem* item = entries_->item(row);
        if (item == nullptr)
            return;
        QFont font = item->font();
        font.setBold(on);
        item->setFont(font);
        item->setForeground(on ? QBrush(kPlayingColor) : QBrush());
    };
    mark(marked_, false);
    mark(playing, true);
    marked_ = playing;
}

void CSongDlg::edit(Song song, int select)
{
    editedSelection_ = select;
    project_.setSong(std::move(song));
    editedSelection_ = -1;
}

void CSongDlg::addCurrentPattern()
{
    Song song = project_.song();
    if (song.size() >= kMaxSongEntries)
        return;
    const int row = entries_->currentRow();
    const int at = row >= 0 ? row + 1 : static_cast<int>(song.size());
    song.insert(song.begin() + at, SongEntry{project_.model().currentIndex(), kMinRepeats});
    edit(std::move(song), at);
}

void CSongDlg::removeEntry()
{
    const int row = entries_->currentRow();
    if (row < 0)
        return;
    Song song = project_.song();
    song.erase(song.begin() + row);
    edit(std::move(song), std::min(row, static_cast<int>(song.size()) - 1));
}

void CSongDlg::moveEntry(int by)
{
    const int row = entries_->currentRow();
    const int to = row + by;
    Song song = project_.song();
    if (row < 0 || to < 0 || to >= static_cast<int>(song.size()))
        return;
    std::swap(song[static_cast<std::size_t>(row)], song[static_cast<std::size_t>(to)]);
    edit(std::move(song), to);
}

void CSongDlg::setRepeats(int repeats)
{
    const int row = entries_->currentRow();
    if (row < 0)
        return;
    Song song = project_.song();
    song[static_cast<std::size_t>(row)].repeats = repeats;
    edit(std::move(song), row);
}

} // namespace quom
