#include "ui/main/QuomDlg.h"

#include "ui/controls/CBrushButton.h"
#include "ui/controls/CCommandButton.h"
#include "ui/controls/GUIcolorButton.h"
#include "ui/main/CanvasTools.h"
#include "ui/main/PatternView.h"
#include "ui/main/QuomSlider.h"
#include "ui/main/ToolPanels.h"

#include <QLabel>
#include <QScreen>

#include <algorithm>

// Where the main window's controls go, and the zoom that moves them.
namespace quom {

void CQuomDlg::placeControls()
{
    setFixedSize(geometry_.windowWidth(), geometry_.windowHeight());
    view_->setGeometry(rect());
    for (const CommandEntry& entry : commandTable()) {
        QWidget* control = entry.id == CommandId::Grid ? static_cast<QWidget*>(grid_) : buttons_[entry.id];
        control->move(commandPosition(entry, geometry_));
    }
    pickedColor_->setGeometry(pickedColorRect(geometry_));

    const int x = geometry_.columnLeft();
    patternLabel_->setGeometry(x, geometry_.patternLabelTop(), 186, 15);
    const auto placeRow = [x](const SliderRow& row, int y) {
        row.caption->setGeometry(x, y, 40, 15);
        row.slider->setGeometry(x + 40, y, 100, 15);
        row.value->setGeometry(x + 146, y, 40, 15);
    };
    placeRow(tempo_, geometry_.tempoTop());
    placeRow(volume_, geometry_.volumeTop());
}

void CQuomDlg::setCanvasGeometry(const CanvasGeometry& geometry)
{
    const QRect frame = frameGeometry();
    const QSize frameMargins = frame.size() - size();
    geometry_ = geometry;
    view_->setCanvasGeometry(geometry);
    tools_->setCanvasGeometry(geometry);
    panels_->setCanvasGeometry(geometry);
    placeControls();
    // A window grown where it stood may reach past the edge of the screen.
    if (isVisible() && screen()) {
        const QRect area = screen()->availableGeometry();
        const QRect grown(
            frame.topLeft(), QSize(geometry.windowWidth(), geometry.windowHeight()) + frameMargins);
        move(pos()
            + QPoint(std::min(0, area.right() - grown.right()), std::min(0, area.bottom() - grown.bottom())));
    }
}

QSize CQuomDlg::availableRoom() const
{
    if (!room_.isEmpty())
        return room_;
    return screen() ? screen()->availableGeometry().size() : QSize();
}

void CQuomDlg::zoomBy(int steps)
{
    const QSize room = availableRoom();
    const int fitted = CanvasGeometry::stepFor(room, 0);
    // From the zoom shown, which a small screen may hold below the one kept.
    settings_.zoom = CanvasGeometry::stepFor(room, geometry_.step() - fitted + steps) - fitted;
    applyZoom();
}

void CQuomDlg::applyZoom()
{
    const CanvasGeometry zoomed = CanvasGeometry::forScreen(availableRoom(), settings_.zoom);
    if (zoomed.step() != geometry_.step())
        setCanvasGeometry(zoomed);
}

} // namespace quom
