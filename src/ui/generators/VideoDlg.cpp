#include "ui/generators/VideoDlg.h"

#include "core/settings/Settings.h"
#include "ui/controls/FileTexts.h"
#include "ui/controls/Theme.h"
#include "ui/controls/ToolWindowRows.h"
#include "ui/controls/UserPrompts.h"
#include "ui/generators/GeneratorSliders.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>

namespace quom {

namespace {

constexpr std::array<const char*, 3> kModeTexts{
    "modify all cells", "modify black cells", "modify painted cells"};
constexpr std::array<int CameraSettings::*, 3> kAmounts{
    &CameraSettings::red, &CameraSettings::green, &CameraSettings::blue};
const QString kVideoFilter
    = QStringLiteral("Videos (*.avi *.mp4 *.m4v *.mkv *.mov *.webm *.ogv *.ogg *.mpg *.mpeg);;All files (*)");
const QColor kPreviewFrame{100, 100, 100};

} // namespace

VideoDlg::VideoDlg(
    Project& project, CameraSettings& camera, Settings& settings, UserPrompts& prompts, QWidget* parent)
    : PatternToolDlg(project, QStringLiteral("Video"), parent)
    , kept_(camera)
    , working_(kept_)
    , settings_(settings)
    , prompts_(prompts)
    , preview_(kColumns, kRows, QImage::Format_RGB32)
{
    setFixedSize(theme::dluRect(0, 0, 198, 137).size());
    preview_.fill(Qt::black);
    addModeButtons();
    addStaticText(this, tr("Source"), 7, 53, 40);
    sources_ = new QComboBox(this);
    sources_->setObjectName(QStringLiteral("source"));
    theme::place(sources_, 50, 51, 140, 13);
    listSources();
    connect(sources_, &QComboBox::activated, this, &VideoDlg::chooseSource);
    problem_ = addStaticText(this, QString(), 7, 64, 183);
    problem_->setObjectName(QStringLiteral("source problem"));
    addSliders();
    addOkButton(74, 117);

    connect(&source_, &VideoSource::frame, this, &VideoDlg::takeFrame);
    connect(&source_, &VideoSource::failed, this, &VideoDlg::showProblem);
    startSource();
}

void VideoDlg::addModeButtons()
{
    modes_ = new QButtonGroup(this);
    for (int mode = 0; mode < 3; ++mode) {
        const QString text = QString::fromUtf8(kModeTexts[static_cast<std::size_t>(mode)]);
        auto* button = new QRadioButton(text, this);
        button->setObjectName(text);
        theme::place(button, 7, 8 + 12 * mode, 100, 10);
        modes_->addButton(button, mode);
    }
    modes_->button(static_cast<int>(working_.mode))->setChecked(true);
    connect(modes_, &QButtonGroup::idToggled, this, [this](int mode, bool checked) {
        if (checked)
            working_.mode = static_cast<CameraMode>(mode);
    });
}

void VideoDlg::addSliders()
{
    for (std::size_t channel = 0; channel < 3; ++channel) {
        const ChannelRow& row = kChannelRows[channel];
        auto* slider = addSliderRow<VideoSlider>(
            this, row.name, tr(row.caption), 72 + 15 * static_cast<int>(channel), {7, 40, 50, 100, 155, 28});
        int CameraSettings::*amount = kAmounts[channel];
        slider->setReaction([this, amount](int v) { working_.*amount = v; });
        slider->setUp(0, 100, working_.*amount);
        sliders_[channel] = slider;
    }
}

// The cameras found (or a stand-in when there is none, which starts nothing), the video
// file of the settings when there is one, and the item that asks for another file. A
// camera's item holds its index, a file's its path.
void VideoDlg::listSources()
{
    const QSignalBlocker quiet(sources_);
    sources_->clear();
    const QStringList cameras = VideoSource::cameraNames();
    for (int i = 0; i < cameras.size(); ++i)
        sources_->addItem(cameras[i], i);
    if (cameras.isEmpty())
        sources_->addItem(tr("no camera"), 0);
    const QString file = fromUtf8(settings_.videoSource);
    if (!file.isEmpty()) {
        sources_->addItem(QFileInfo(file).fileName(), file);
        sources_->setItemData(sources_->count() - 1, file, Qt::ToolTipRole);
    }
    sources_->addItem(tr("Video file..."));
    shownSource_ = file.isEmpty() ? 0 : sources_->count() - 2;
    sources_->setCurrentIndex(shownSource_);
}

void VideoDlg::chooseSource(int index)
{
    const QVariant source = sources_->itemData(index);
    if (!source.isValid()) {
        const QString path = prompts_.openFile(
            this, {tr("Choose a video file"), fromUtf8(settings_.videoSource), kVideoFilter, {}});
        if (path.isEmpty()) {
            sources_->setCurrentIndex(shownSource_);
            return;
        }
        settings_.videoSource = utf8(path);
        listSources();
    } else {
        settings_.videoSource
            = source.typeId() == QMetaType::QString ? utf8(source.toString()) : std::string();
        shownSource_ = index;
    }
    startSource();
}

// Until the new source gives a frame, the pattern is as it was when the window opened:
// the last frame of the previous source would otherwise stay as if it were this one's.
void VideoDlg::startSource()
{
    showProblem(QString());
    const QVariant source = sources_->itemData(shownSource_);
    if (source.typeId() == QMetaType::QString)
        source_.setSource(source.toString());
    else
        source_.setSource(QString(), source.toInt());
    source_.start();
}

void VideoDlg::showProblem(const QString& problem)
{
    if (closed_)
        return;
    problem_->setText(problem);
    problem_->setToolTip(problem);
    preview_.fill(Qt::black);
    update(QRect(kPreviewOrigin, preview_.size()));
    showPattern(startingPattern());
}

void VideoDlg::takeFrame(const Grid& frame)
{
    if (closed_)
        return;
    for (int column = 0; column < kColumns; ++column) {
        for (int row = 0; row < kRows; ++row) {
            const Cell cell = frame[static_cast<std::size_t>(cellIndex(column, row))];
            preview_.setPixel(column, row, qRgb(redOf(cell), greenOf(cell), blueOf(cell)));
        }
    }
    update(QRect(kPreviewOrigin, preview_.size()));
    showPattern(blendFrame(startingPattern(), frame, working_));
}

void VideoDlg::paintEvent(QPaintEvent* event)
{
    PatternToolDlg::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(kPreviewOrigin, preview_);
    painter.setPen(kPreviewFrame);
    painter.drawRect(QRect(kPreviewOrigin - QPoint(1, 1), preview_.size() + QSize(1, 1)));
}

void VideoDlg::accept()
{
    source_.stop();
    closed_ = true;
    kept_.mode = static_cast<CameraMode>(modes_->checkedId());
    for (std::size_t channel = 0; channel < 3; ++channel)
        kept_.*kAmounts[channel] = sliders_[channel]->wholeValue();
    PatternToolDlg::accept();
}

void VideoDlg::reject()
{
    source_.stop();
    closed_ = true;
    PatternToolDlg::reject();
}

} // namespace quom
