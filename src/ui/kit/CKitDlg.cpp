#include "ui/kit/CKitDlg.h"

#include "core/project/Project.h"
#include "core/transport/Transport.h"
#include "ui/controls/ButtonPictures.h"
#include "ui/controls/CCommandButton.h"
#include "ui/controls/Cursors.h"
#include "ui/controls/Theme.h"
#include "ui/controls/UserPrompts.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <algorithm>
#include <array>

namespace quom {

namespace {

const QColor kSelectedText(255, 100, 100);
const QColor kRateText(255, 170, 90);

struct ButtonEntry {
    int id;
    int offset;
    const char* picture;
    const char* toolTip;
};

constexpr std::array kButtons{
    ButtonEntry{CKitDlg::kClear, 0, "Kit Clear", "Clear the kit. Current data will be lost."},
    ButtonEntry{CKitDlg::kLoad, 70, "Kit Load", "Load a kit (.kit file)."},
    ButtonEntry{CKitDlg::kSave, 110, "Kit Save", "Save the current kit (.kit file)."},
    ButtonEntry{CKitDlg::kAdd, 180, "Add", "Add multiple samples in the first available slots."},
    ButtonEntry{CKitDlg::kFolder, 220, "Folder", "Create a new kit from successive samples in a folder."},
    ButtonEntry{CKitDlg::kRandom, 260, "Random",
        "Create a new kit from samples randomly chosen in a folder and its subfolders."},
    ButtonEntry{CKitDlg::kSlicer, 300, "Slicer", "Create a new kit by randomly slicing a long sample."},
};

struct Heading {
    int x;
    const char* text;
};

constexpr std::array kHeadings{
    Heading{KitEditorLayout::kLeft, "Sample"},
    Heading{KitEditorLayout::kLoopX, "Loop"},
    Heading{KitEditorLayout::kFadeX, "Fade"},
    Heading{KitEditorLayout::kLengthX, "Length"},
    Heading{KitEditorLayout::kKeyX, "Key"},
};

// A column's right edge, where the key's text ends.
constexpr int kColumnRight = KitEditorLayout::kLeft + KitEditorLayout::kColumnWidth;

} // namespace

CKitDlg::CKitDlg(Context context, QWidget* parent)
    : QDialog(parent)
    , project_(context.project)
    , transport_(context.transport)
    , settings_(context.settings)
    , folders_(context.folders)
    , prompts_(context.prompts)
    , layout_(KitEditorLayout::forScreen(context.room))
    , kit_(*context.project.kit())
    // A flag's mark is no taller than its row.
    , flagPictures_(QSize(12, std::min(10, layout_.rowHeight())))
    , builds_(std::move(context.clock))
{
    setWindowTitle(QStringLiteral("Kit Editor"));
    theme::apply(this);
    setFixedSize(layout_.windowSize());
    setMouseTracking(true);
    setAcceptDrops(true);
    buildButtons();
    connect(&builds_, &KitBuildRunner::progressed, this, &CKitDlg::showBuildProgress);
    connect(&builds_, &KitBuildRunner::finished, this, &CKitDlg::finishBuild);
}

CKitDlg::~CKitDlg()
{
    transport_.stopAudition();
}

void CKitDlg::buildButtons()
{
    for (const ButtonEntry& entry : kButtons) {
        auto* button = new CCommandButton(entry.id, this);
        const QString tip = QString::fromUtf8(entry.toolTip);
        button->setUp(QPoint(KitEditorLayout::kLeft + entry.offset, layout_.buttonsTop()),
            buttonPictures(QString::fromUtf8(entry.picture)), tip, CCommandButton::Push);
        button->setToolTip(tip);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &HelpTextButton::command, this, &CKitDlg::runButton);
    }
}

// While a search runs the kit is not edited: its result would replace the edit.
void CKitDlg::setBusy(bool busy)
{
    for (const ButtonEntry& entry : kButtons)
        button(entry.id)->setEnabled(!busy);
    if (busy)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

CCommandButton* CKitDlg::button(int commandId) const
{
    return findCommandButton(*this, commandId);
}

void CKitDlg::runButton(int commandId)
{
    switch (commandId) {
    case kClear:
        clearKitCommand();
        break;
    case kLoad:
        loadKit();
        break;
    case kSave:
        saveKit();
        break;
    case kAdd:
        addCommand();
        break;
    case kFolder:
        folderCommand();
        break;
    case kRandom:
        randomCommand();
        break;
    case kSlicer:
        slicerCommand();
        break;
    default:
        break;
    }
}

void CKitDlg::publish()
{
    project_.setKit(std::make_shared<const CKit>(kit_));
}

void CKitDlg::repaintSlots()
{
    update(layout_.slotArea());
}

void CKitDlg::showStatusText(const QString& text)
{
    status_ = text;
    repaint(layout_.statusArea());
}

void CKitDlg::showMessage(const QString& text)
{
    prompts_.message(this, text, QStringLiteral("Quom"));
}

void CKitDlg::paintEvent(QPaintEvent* event)
{
    // Only what needs it: the status line is redrawn alone while a search reports progress.
    const QRect dirty = event->rect();
    QPainter painter(this);
    painter.fillRect(dirty, theme::kBackground);
    painter.setFont(font());
    painter.setPen(theme::kStaticText);
    for (int column = 0; column < layout_.columns() && dirty.top() < KitEditorLayout::kTop; ++column) {
        const int shift = column * KitEditorLayout::kColumnWidth;
        for (const Heading& heading : kHeadings) {
            painter.drawText(QRect(heading.x + shift, KitEditorLayout::kHeadingTop, kColumnRight - heading.x,
                                 KitEditorLayout::kTop - KitEditorLayout::kHeadingTop),
                Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(heading.text));
        }
    }
    for (int slot = 0; slot < kKitSlots; ++slot) {
        if (dirty.intersects(
                QRect(layout_.columnShift(slot), layout_.rowTop(slot), kColumnRight, layout_.rowHeight())))
            paintSlot(painter, slot);
    }
    painter.setPen(theme::kStaticText);
    const QRect status = layout_.statusArea();
    painter.drawText(
        QRect(layout_.statusOrigin(), status.bottomRight()), Qt::AlignLeft | Qt::AlignTop, status_);
}

void CKitDlg::paintSlot(QPainter& painter, int slot) const
{
    const CInstrument& s = kit_.slot(slot);
    const int top = layout_.rowTop(slot);
    const int height = layout_.rowHeight();
    const int shift = layout_.columnShift(slot);
    painter.setPen(slot == selected_ ? kSelectedText : theme::kStaticText);
    const auto text = [&](int left, int right, const std::string& value) {
        painter.drawText(QRect(left + shift, top, right - left, height), Qt::AlignLeft | Qt::AlignVCenter,
            QString::fromStdString(value));
    };
    // A file of another rate says so at the end of the name column: it plays off pitch
    // unless the files' own rates are honoured.
    int nameRight = 196;
    if (const QString rate = QString::fromStdString(fileRateLabel(s)); !rate.isEmpty()) {
        const int width = painter.fontMetrics().horizontalAdvance(rate);
        painter.setPen(kRateText);
        painter.drawText(
            QRect(nameRight - width + shift, top, width, height), Qt::AlignRight | Qt::AlignVCenter, rate);
        painter.setPen(slot == selected_ ? kSelectedText : theme::kStaticText);
        nameRight -= width + 4;
    }
    text(KitEditorLayout::kLeft, nameRight, slotLabel(slot, s));
    paintFlag(painter, SlotFlag::Loop, s.loop, {KitEditorLayout::kLoopX + shift, top});
    paintFlag(painter, SlotFlag::Fade, s.fade, {KitEditorLayout::kFadeX + shift, top});
    painter.setPen(slot == selected_ ? kSelectedText : theme::kStaticText);
    text(KitEditorLayout::kLengthX, KitEditorLayout::kKeyX, std::to_string(s.length()));
    text(KitEditorLayout::kKeyX, kColumnRight, keyName(s.rootKey));
}

void CKitDlg::paintFlag(QPainter& painter, SlotFlag flag, bool on, QPoint at) const
{
    painter.drawPixmap(at, flagPictures_.picture(flag, on, devicePixelRatioF()));
}

void CKitDlg::select(int slot)
{
    if (slot == selected_)
        return;
    selected_ = slot;
    if (slot >= 0)
        showStatusText(QString::fromStdString(kit_.slot(slot).name));
    repaintSlots();
}

void CKitDlg::clearSlot(int slot)
{
    kit_.ClearSlot(slot);
    publish();
    repaintSlots();
}

void CKitDlg::toggleFlag(int slot, SlotFlag flag, bool everySlot)
{
    if (everySlot)
        setFlagEverywhere(kit_, flag, slot);
    else
        flagOf(kit_.slot(slot), flag) = !flagOf(kit_.slot(slot), flag);
    publish();
    repaintSlots();
}

void CKitDlg::mouseMoveEvent(QMouseEvent* event)
{
    if (building())
        return;
    const auto hit = layout_.hit(event->position().toPoint());
    if (!hit) {
        unsetCursor();
        select(-1);
        return;
    }
    setCursor(paintedCursors().hand);
    select(hit->slot);
    if (clearDragging_)
        clearSlot(hit->slot);
}

void CKitDlg::mousePressEvent(QMouseEvent* event)
{
    if (building())
        return;
    const auto hit = layout_.hit(event->position().toPoint());
    if (!hit)
        return;
    setCursor(paintedCursors().hand);
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    if (event->button() == Qt::LeftButton) {
        switch (hit->zone) {
        case SlotZone::Name:
            chooseFileForSlot(hit->slot);
            break;
        case SlotZone::Loop:
            toggleFlag(hit->slot, SlotFlag::Loop, shift);
            break;
        case SlotZone::Fade:
            toggleFlag(hit->slot, SlotFlag::Fade, shift);
            break;
        case SlotZone::None:
            break;
        }
    } else if (event->button() == Qt::RightButton && hit->zone == SlotZone::Name) {
        if (shift)
            clearKit(kit_);
        else
            kit_.ClearSlot(hit->slot);
        publish();
        update();
        clearDragging_ = true;
    }
}

void CKitDlg::mouseReleaseEvent(QMouseEvent*)
{
    clearDragging_ = false;
}

void CKitDlg::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(*event))
        QDialog::keyPressEvent(event);
}

bool CKitDlg::handleKey(const QKeyEvent& key)
{
    if (building()) {
        // Esc stops the search instead of closing the window; no other key edits meanwhile.
        if (key.key() == Qt::Key_Escape)
            cancelBuild();
        return true;
    }
    const bool shift = key.modifiers().testFlag(Qt::ShiftModifier);
    const bool chosen = selected_ >= 0;
    switch (key.key()) {
    case Qt::Key_Delete:
        if (shift) {
            clearKit(kit_);
            publish();
            update();
            return true;
        }
        if (!chosen)
            return false;
        clearSlot(selected_);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (chosen)
            openInExternalEditor(selected_);
        return true;
    case Qt::Key_Space:
        if (chosen)
            audition(selected_);
        return true;
    case Qt::Key_Up:
        select(selected_ <= 0 ? (selected_ == 0 ? kKitSlots - 1 : 0) : selected_ - 1);
        return true;
    case Qt::Key_Down:
        select(selected_ < 0 || selected_ == kKitSlots - 1 ? 0 : selected_ + 1);
        return true;
    case Qt::Key_F:
    case Qt::Key_L:
        if (!chosen)
            return true;
        toggleFlag(shift ? 0 : selected_, key.key() == Qt::Key_F ? SlotFlag::Fade : SlotFlag::Loop, shift);
        return true;
    default:
        return false;
    }
}

void CKitDlg::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() && !building())
        event->acceptProposedAction();
}

void CKitDlg::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    if (paths.isEmpty() || building())
        return;
    event->acceptProposedAction();
    // The program the files came from waits until the drop returns: loading and any
    // message come after.
    QMetaObject::invokeMethod(
        this, [this, paths] { addFiles(paths); }, Qt::QueuedConnection);
}

void CKitDlg::done(int result)
{
    if (building())
        cancelBuild();
    transport_.stopAudition();
    QDialog::done(result);
}

} // namespace quom
