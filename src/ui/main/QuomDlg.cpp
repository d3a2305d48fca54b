#include "ui/main/QuomDlg.h"

#include "core/audio/Volume.h"
#include "core/settings/AppFolders.h"
#include "core/settings/Settings.h"
#include "platform/audio/AudioOutput.h"
#include "platform/link/LinkSession.h"
#include "platform/midi/MidiInput.h"
#include "ui/controls/ButtonPictures.h"
#include "ui/controls/CBrushButton.h"
#include "ui/controls/CCommandButton.h"
#include "ui/controls/GUIcolorButton.h"
#include "ui/controls/Theme.h"
#include "ui/main/CanvasTools.h"
#include "ui/main/KeyTable.h"
#include "ui/main/PatternView.h"
#include "ui/main/PlaybackMarker.h"
#include "ui/main/QuomSlider.h"
#include "ui/main/StatusNotices.h"
#include "ui/main/ToolPanels.h"
#include "ui/main/WindowTitle.h"

#include <QApplication>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QTimerEvent>
#include <QUrl>
#include <QWheelEvent>

#include <iostream>

namespace quom {

namespace {

CCommandButton::Kind buttonKind(CommandKind kind)
{
    switch (kind) {
    case CommandKind::Tool:
        return CCommandButton::Tool;
    case CommandKind::Toggle:
        return CCommandButton::Toggle;
    case CommandKind::Push:
        break;
    }
    return CCommandButton::Push;
}

// Keys a focused slider uses itself, as it would see them before the window. With
// Ctrl, plus and minus zoom the window.
bool sliderKey(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        return !key.modifiers().testFlag(Qt::ControlModifier);
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

} // namespace

CQuomDlg::CQuomDlg(Context context, QWidget* parent)
    : QDialog(parent)
    , project_(context.project)
    , transport_(context.transport)
    , output_(context.output)
    , settings_(context.settings)
    , folders_(context.folders)
    , toolOptions_(context.toolOptions)
    , generators_(context.generators)
    , midi_(context.midi)
    , midiOut_(context.midiOut)
    , midiClock_(context.midiClock)
    , link_(context.link)
    , liveControl_(context.project, context.settings,
          [&transport = context.transport](int pattern) { transport.switchPattern(pattern); })
    , room_(context.room)
    , geometry_(CanvasGeometry::forScreen(availableRoom(), context.settings.zoom))
    , prompts_(std::make_unique<DialogPrompts>())
{
    setWindowTitle(QStringLiteral("Quom " QUOM_VERSION));
    // The installed icon where the desktop has it (a task bar on X11), else the program's own.
    setWindowIcon(
        QIcon::fromTheme(QGuiApplication::desktopFileName(), QIcon(buttonPictures(u"Grid").pressed)));
    theme::apply(this);
    setAcceptDrops(true);

    view_ = new PatternView(geometry_, project_.model().current(), this);
    // The canvas holds the keyboard at the start and takes it back when clicked, so
    // that the window's keys are not kept by a slider that once had the focus.
    view_->setFocusPolicy(Qt::ClickFocus);
    view_->setFocus();
    buildControls();
    buildSliders();
    buildEditing();
    placeControls();
    project_.addListener(this);
    transport_.setListener(this);
    if (const auto& failure = output_.deviceFailure()) {
        audioNotice_ = audioFailureNotice(*failure);
        showNotices();
    }

    if (settings_.loadDefaultKit)
        loadKit(QString::fromStdString(folders_.kitsFolder + "/default.kit"));

    midiRest_.setSingleShot(true);
    midiRest_.setInterval(500);
    connect(&midiRest_, &QTimer::timeout, this, [this] { liveControl_.rest(); });
    if (midi_)
        connect(midi_, &MidiInput::message, this, &CQuomDlg::applyMidiMessage);

    // The marker's poll is also where a switch that landed on the wrap is shown and the song moves on.
    marker_ = new PlaybackMarker(
        *view_,
        [this] {
            transport_.poll();
            showPatternNumber();
            return transport_.playingColumn();
        },
        this);
    watchFollowedSource();
    cpuTimer_ = startTimer(1000);
    qApp->installEventFilter(this);
    // Direct: the session manager expects the answer before the signal returns.
    connect(
        qApp, &QGuiApplication::commitDataRequest, this, &CQuomDlg::commitSessionData, Qt::DirectConnection);
}

CQuomDlg::~CQuomDlg()
{
    qApp->removeEventFilter(this);
    project_.removeListener(this);
    transport_.setListener(nullptr);
    transport_.stop();
    if (midi_)
        midi_->close();
    if (output_.recording())
        output_.ToggleRecording(folders_.outputFolder);
}

void CQuomDlg::buildControls()
{
    // Placed by placeControls().
    for (const CommandEntry& entry : commandTable()) {
        const QString tip = QString::fromUtf8(entry.toolTip);
        const auto id = static_cast<int>(entry.id);
        HelpTextButton* control = nullptr;
        if (entry.id == CommandId::Grid) {
            grid_ = new CBrushButton(id, this);
            grid_->setUp({}, buttonPictures(u"Grid"), tip);
            control = grid_;
        } else {
            auto* button = new CCommandButton(id, this);
            button->setUp({}, buttonPictures(QString::fromUtf8(entry.caption)), tip, buttonKind(entry.kind));
            buttons_[entry.id] = button;
            control = button;
        }
        control->setToolTip(tip);
        control->setFocusPolicy(Qt::NoFocus);
        connect(control, &HelpTextButton::command, this,
            [this](int command) { runCommand(static_cast<CommandId>(command)); });
    }
    // The pencil is the tool at start.
    buttons_[CommandId::Pencil]->setState(true);

    // The eyedropper's colour, for dragging onto the tools' swatches.
    pickedColor_ = new GUIcolorButton(this);
    pickedColor_->setFocusPolicy(Qt::NoFocus);
}

void CQuomDlg::buildSliders()
{
    auto makeRow = [this](const QString& caption) {
        SliderRow row;
        row.caption = new QLabel(caption, this);
        row.value = new QLabel(this);
        row.slider = new QuomSlider(*row.value, this);
        return row;
    };
    // The pattern that plays, above the tempo it keeps.
    patternLabel_ = new QLabel(this);
    showPatternNumber();

    tempo_ = makeRow(QStringLiteral("Tempo"));
    tempo_.slider->setReaction([this](int bpm) {
        if (showingFollowedTempo_)
            return;
        project_.setTempo(bpm);
        if (link_)
            link_->setTempo(bpm);
    });
    tempo_.slider->setUp(kMinTempo, kMaxTempo, project_.tempo());

    volume_ = makeRow(QStringLiteral("Volume"));
    volume_.slider->setReaction([this](int percent) { transport_.setVolume(percent); });
    volume_.slider->setUp(0, 100, kDefaultVolume);
}

CCommandButton* CQuomDlg::button(CommandId id) const
{
    const auto it = buttons_.find(id);
    return it == buttons_.end() ? nullptr : it->second;
}

void CQuomDlg::setPrompts(std::unique_ptr<UserPrompts> prompts)
{
    prompts_ = std::move(prompts);
}

bool CQuomDlg::runCommand(CommandId id)
{
    const CommandEntry* entry = findCommand(id);
    if (!entry)
        return false;
    // A floating paste lands before any command acts.
    tools_->placeFloating();
    const CommandOperation& operation = entry->operation;
    if (const auto* id = std::get_if<OperationId>(&operation))
        project_.apply({*id, {}});
    else if (const auto* run = std::get_if<ProjectOperation>(&operation))
        (project_.*(*run))();
    else if (const auto* run = std::get_if<WindowOperation>(&operation))
        (this->*(*run))();
    else if (const auto* tool = std::get_if<Tool>(&operation))
        tools_->selectTool(*tool);
    ShowCpuLoad();
    return true;
}

void CQuomDlg::showStatusText(const QString& text)
{
    view_->setStatusText(text);
}

void CQuomDlg::showPatternNumber()
{
    QString text = tr("Pattern %1").arg(project_.model().currentIndex() + 1);
    if (const int queued = transport_.queuedPattern(); queued >= 0)
        text = tr("Pattern %1 -> %2").arg(project_.model().currentIndex() + 1).arg(queued + 1);
    if (const int entry = transport_.songEntry(); entry >= 0)
        text = tr("Song %1/%2: %3").arg(entry + 1).arg(project_.song().size()).arg(text);
    patternLabel_->setText(text);
    buttons_[CommandId::Song]->setState(transport_.songOn());
}

void CQuomDlg::showNotices()
{
    QStringList lines{audioNotice_, recordingNotice_, midiNotice_, syncNotice_};
    lines.removeAll(QString());
    view_->setNotice(lines.join(u'\n'));
}

void CQuomDlg::leavingPattern()
{
    tools_->placeFloating();
}

void CQuomDlg::patternChanged()
{
    // The one word the window has of another pattern becoming current, whatever chose it.
    showPatternNumber();
    view_->update();
}

void CQuomDlg::tempoChanged(int bpm)
{
    tempo_.slider->setValue(bpm);
}

void CQuomDlg::playingChanged(bool playing)
{
    buttons_[CommandId::Play]->setState(playing);
    if (!playing)
        view_->setMarkerColumn(-1);
}

bool CQuomDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (dynamic_cast<const GUIslider*>(widget) && widget->hasFocus() && sliderKey(key))
        return false;
    return handleKey(key);
}

bool CQuomDlg::handleKey(const QKeyEvent& key)
{
    const auto action = resolveKey(key.key(), key.modifiers());
    if (!action)
        return false;
    // A held Space or Enter would start and stop over and over.
    if (key.isAutoRepeat() && togglesState(*action))
        return true;
    switch (action->kind) {
    case KeyAction::Kind::Command:
        return runCommand(action->command);
    case KeyAction::Kind::SelectPattern:
        transport_.switchPattern(action->a);
        return true;
    case KeyAction::Kind::ToggleRecording:
        toggleRecording();
        return true;
    case KeyAction::Kind::Cancel:
        // Esc never closes the main window.
        tools_->cancel();
        return true;
    case KeyAction::Kind::PlayRowSample:
        tools_->placeFloating();
        auditionRowUnderMouse();
        return true;
    case KeyAction::Kind::Scroll:
        tools_->placeFloating();
        project_.apply({OperationId::Scroll, ScrollAmount{action->a, action->b}});
        return true;
    case KeyAction::Kind::Zoom:
        zoomBy(action->a);
        return true;
    case KeyAction::Kind::AddColor:
        // The colour keys shift a floating paste's surroundings and leave it floating.
        project_.apply({OperationId::OffsetColors, channelOffset(action->a, action->b)});
        return true;
    }
    return false;
}

void CQuomDlg::auditionRowUnderMouse()
{
    if (const auto cell = geometry_.cellAt(view_->mapFromGlobal(QCursor::pos())))
        transport_.previewRow(cell->y());
}

void CQuomDlg::wheelEvent(QWheelEvent* event)
{
    // Whole notches of 120; a fine-grained wheel adds up until it makes one.
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / 120;
    wheelRemainder_ -= notches * 120;
    if (notches != 0)
        project_.setPatternTempo(tempo_.slider->wholeValue() - notches);
    event->accept();
}

void CQuomDlg::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CQuomDlg::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.constFirst().isLocalFile())
        return;
    event->acceptProposedAction();
    openDroppedFile(urls.constFirst().toLocalFile());
}

void CQuomDlg::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != cpuTimer_)
        return;
    ShowCpuLoad();
    transport_.releaseRetired();
    checkAudioServer();
}

void CQuomDlg::checkAudioServer()
{
    switch (output_.checkServer()) {
    case AudioOutput::ServerChange::None:
        return;
    case AudioOutput::ServerChange::Lost:
        audioNotice_ = jackServerLostNotice();
        break;
    case AudioOutput::ServerChange::Returned:
        audioNotice_ = jackServerBackNotice();
        break;
    }
    showNotices();
    // Also for whoever started Quom from a terminal, which outlives the status line.
    std::cerr << audioNotice_.toStdString() << std::endl;
}

void CQuomDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ShowCpuLoad();
}

void CQuomDlg::ShowCpuLoad()
{
    setWindowTitle(mainWindowTitle(output_.cpuLoad(), project_.filePath(), project_.hasUnsavedChanges()));
}

} // namespace quom
