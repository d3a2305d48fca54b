#include "pattern/QuomDlg.h"

#include "app/QuomApp.h"
#include "audio/Engine.h"
#include "controls/ButtonPictures.h"
#include "controls/CBrushButton.h"
#include "controls/CCommandButton.h"
#include "controls/GUIcolorButton.h"
#include "controls/Theme.h"
#include "pattern/CanvasTools.h"
#include "pattern/PatternCommands.h"
#include "pattern/PatternView.h"
#include "pattern/PlaybackMarker.h"
#include "pattern/QuomSlider.h"
#include "pattern/ToolPanels.h"

#include <QApplication>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGraphicsOpacityEffect>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QTimerEvent>
#include <QUrl>
#include <QWheelEvent>

namespace quom {

namespace {

int screenWidth()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

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

// Keys a focused slider uses itself, as it would see them before the window.
bool sliderKey(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Plus:
    case Qt::Key_Minus:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

} // namespace

CQuomDlg::CQuomDlg(CQuomApp& app, QWidget* parent)
    : QDialog(parent)
    , app_(app)
    , engine_(app.engine())
    , geometry_(CanvasGeometry::forScreenWidth(screenWidth()))
    , prompts_(std::make_unique<DialogPrompts>())
{
    setWindowTitle(QStringLiteral("Quom " QUOM_VERSION));
    setWindowIcon(QIcon(buttonPictures(u"Grid").pressed));
    theme::apply(this);
    setFixedSize(geometry_.windowWidth(), geometry_.windowHeight());
    setAcceptDrops(true);

    view_ = new PatternView(geometry_, model_.current(), this);
    view_->setGeometry(rect());
    // The canvas holds the keyboard at the start and takes it back when clicked, so
    // that the window's keys are not kept by a slider that once had the focus.
    view_->setFocusPolicy(Qt::ClickFocus);
    view_->setFocus();
    buildControls();
    buildSliders();
    buildEditing();
    registerHandlers();

    model_.setTempoSource(tempo_);
    model_.setHooks({
        .setTempo = [this](int bpm) { tempo_->setValue(bpm); },
        .emptyUndoHistory = [this] { undo_.Empty(); },
        .resetToolState = [this] { tools_->resetState(); },
    });
    undo_.Initialise(model_.current().snapshot());
    if (app.settings().loadDefaultKit)
        loadKit(app.folders().kitsFolder + "/default.kit");
    engine_.setPattern(&model_.current());
    engine_.setTempoSource(tempo_);

    marker_ = new PlaybackMarker(
        *view_, [this] { return engine_.playing() ? engine_.currentColumn() : -1; }, this);
    cpuTimer_ = startTimer(1000);
    qApp->installEventFilter(this);
}

CQuomDlg::~CQuomDlg()
{
    qApp->removeEventFilter(this);
    engine_.setPlaying(false);
    engine_.setPattern(nullptr);
    engine_.setTempoSource(nullptr);
    if (app_.recording())
        app_.ToggleRecording();
}

void CQuomDlg::buildControls()
{
    for (const CommandEntry& entry : commandTable()) {
        const QPoint at = commandPosition(entry, geometry_);
        const QString tip = QString::fromUtf8(entry.toolTip);
        const auto id = static_cast<int>(entry.id);
        HelpTextButton* control = nullptr;
        if (entry.id == CommandId::Grid) {
            grid_ = new CBrushButton(id, this);
            grid_->setUp(at, buttonPictures(u"Grid"), tip);
            control = grid_;
        } else {
            auto* button = new CCommandButton(id, this);
            button->setUp(at, buttonPictures(QString::fromUtf8(entry.caption)), tip, buttonKind(entry.kind));
            buttons_[entry.id] = button;
            control = button;
        }
        control->setToolTip(tip);
        control->setFocusPolicy(Qt::NoFocus);
        connect(control, &HelpTextButton::command, this,
            [this](int command) { runCommand(static_cast<CommandId>(command)); });
    }
    // The pencil is the tool at start; the canvas tools arrive with their own code.
    buttons_[CommandId::Pencil]->setState(true);

    // The eyedropper's colour, for dragging onto the tools' swatches.
    pickedColour_ = new GUIcolorButton(this);
    pickedColour_->setGeometry(pickedColourRect(geometry_));
    pickedColour_->setFocusPolicy(Qt::NoFocus);
}

void CQuomDlg::buildSliders()
{
    const int x = geometry_.right();
    auto makeRow = [&](const QString& caption, int y) {
        auto* name = new QLabel(caption, this);
        name->setGeometry(x + 20, y, 40, 15);
        auto* value = new QLabel(this);
        value->setGeometry(x + 166, y, 40, 15);
        auto* slider = new QuomSlider(*value, this);
        slider->setGeometry(x + 60, y, 100, 15);
        slider->setStyle(GUIslider::kGradientFill);
        slider->setColors(GUIslider::windowColors());
        slider->setSteps(1, 10);
        return slider;
    };
    tempo_ = makeRow(QStringLiteral("Tempo"), 540);
    tempo_->setRange(kMinTempo, kMaxTempo, kDefaultTempo);

    volume_ = makeRow(QStringLiteral("Volume"), 570);
    volume_->setReaction([this](int v) { engine_.setGain(static_cast<float>(v) / 100.0f); });
    volume_->setRange(0, 100, 80);
}

void CQuomDlg::registerHandlers()
{
    handlers_ = {
        {CommandId::New, &CQuomDlg::newProject},
        {CommandId::Load, &CQuomDlg::loadProjectCommand},
        {CommandId::Save, &CQuomDlg::saveProject},
        {CommandId::Clear, &CQuomDlg::clearPattern},
        {CommandId::LoadPattern, &CQuomDlg::loadPatternCommand},
        {CommandId::SavePattern, &CQuomDlg::savePattern},
        {CommandId::ExportMidi, &CQuomDlg::exportMidi},
        {CommandId::Import, &CQuomDlg::importImage},
        {CommandId::Export, &CQuomDlg::exportWave},
        {CommandId::Play, &CQuomDlg::playOrStop},
        {CommandId::Record, &CQuomDlg::toggleRecording},
        {CommandId::Grid, &CQuomDlg::toggleGrid},
        {CommandId::About, &CQuomDlg::about},
        {CommandId::Undo, &CQuomDlg::undo},
        {CommandId::Redo, &CQuomDlg::redo},
    };
    for (const auto& [id, button] : buttons_) {
        if (commandAvailable(id))
            continue;
        button->setEnabled(false);
        auto* dim = new QGraphicsOpacityEffect(button);
        dim->setOpacity(0.4);
        button->setGraphicsEffect(dim);
    }
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

bool CQuomDlg::commandAvailable(CommandId id) const
{
    return handlers_.contains(id) || PatternCommands::handles(id);
}

bool CQuomDlg::runCommand(CommandId id)
{
    const auto it = handlers_.find(id);
    const bool editing = PatternCommands::handles(id);
    if (it == handlers_.end() && !editing)
        return false;
    // A floating paste lands before any command acts.
    commands_->commit();
    if (editing)
        commands_->run(id);
    else
        (this->*(it->second))();
    return true;
}

void CQuomDlg::showStatusText(const QString& text)
{
    view_->setStatusText(text);
}

bool CQuomDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (dynamic_cast<const GUIslider*>(widget) && widget->hasFocus() && sliderKey(key.key()))
        return false;
    return handleKey(key);
}

bool CQuomDlg::handleKey(const QKeyEvent& key)
{
    const auto action = resolveKey(key.key(), key.modifiers());
    if (!action)
        return false;
    switch (action->kind) {
    case KeyAction::Kind::Command:
        return runCommand(action->command);
    case KeyAction::Kind::SelectPattern:
        commands_->commit();
        selectPattern(action->a);
        return true;
    case KeyAction::Kind::ToggleRecording:
        toggleRecording();
        return true;
    case KeyAction::Kind::Cancel:
        // Esc never closes the main window.
        commands_->cancel();
        return true;
    case KeyAction::Kind::PlayRowSample:
        commands_->commit();
        auditionRowUnderMouse();
        return true;
    case KeyAction::Kind::Scroll:
        commands_->commit();
        commands_->scroll(action->a, action->b);
        return true;
    case KeyAction::Kind::AddColour:
        // The colour keys shift a floating paste's surroundings and leave it floating.
        commands_->addColour(action->a, action->b);
        return true;
    }
    return false;
}

void CQuomDlg::auditionRowUnderMouse()
{
    const auto cell = geometry_.cellAt(view_->mapFromGlobal(QCursor::pos()));
    if (!cell)
        return;
    // Full volume, centred, at about the sample's own speed; a new audition cuts the last.
    engine_.StartPreview(cell->y(), makeCell(255, 128, 128));
}

void CQuomDlg::wheelEvent(QWheelEvent* event)
{
    // Whole notches of 120; a fine-grained wheel adds up until it makes one.
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / 120;
    wheelRemainder_ -= notches * 120;
    if (notches != 0)
        setTempo(tempo_->tempo() - notches);
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
    app_.ShowCpuLoad(*this);
    engine_.ReleaseRetiredKits();
}

} // namespace quom
