#include "ui/main/ToolPanels.h"

#include "ui/controls/GUIcolorButton.h"
#include "ui/controls/ValueSlider.h"

#include <QLabel>

namespace quom {

namespace {

// A swatch that keeps its tool option up to date, whether picked or dropped on.
class ToolSwatch : public GUIcolorButton {
public:
    ToolSwatch(Cell& color, QWidget* parent)
        : GUIcolorButton(parent)
        , color_(color)
    {
        setColor(color);
        registerDropTarget();
        setFocusPolicy(Qt::NoFocus);
    }
    void colorChanged() override { color_ = color(); }

private:
    Cell& color_;
};

// Quantize q draws every 2^q-th point: shown as the note length of the step.
QString noteLength(int q)
{
    return QStringLiteral("1/%1").arg(1 << (4 - q));
}

constexpr int kFirstRow = 0;
constexpr int kSecondRow = 29;
// A panel with two slider rows under its swatches.
constexpr int kTightSecondRow = 21;
constexpr int kTightThirdRow = 36;
// Captions line up with the middle of what they name.
constexpr int kBesideSwatch = 6;
constexpr int kBesideSlider = 1;

} // namespace

ToolPanels::ToolPanels(QWidget& window, const CanvasGeometry& geometry, ToolOptions& options)
    : window_(window)
    , geometry_(geometry)
    , options_(options)
{
}

ToolPanels::~ToolPanels()
{
    close();
}

void ToolPanels::setCanvasGeometry(const CanvasGeometry& geometry)
{
    geometry_ = geometry;
    show(shown_);
}

void ToolPanels::show(Tool tool)
{
    close();
    shown_ = tool;
    ToolOptions& o = options_;
    switch (tool) {
    case Tool::Pencil:
        caption("Pencil Color Name", QStringLiteral("color"), kFirstRow + kBesideSwatch);
        swatch("Pencil Color", o.pencilColor, 40, kFirstRow);
        caption("Pencil Variation Name", QStringLiteral("variation"), kSecondRow + kBesideSlider);
        slider("Pencil Variation", o.pencilVariation, 0, 100, 10, kSecondRow, percentage);
        break;
    case Tool::Eraser:
        caption("Eraser Size Name", QStringLiteral("size"), kFirstRow + kBesideSlider);
        slider("Eraser Size", o.eraserSize, 1, 10, 3, kFirstRow, plainNumber);
        break;
    case Tool::Line:
        caption("Line Color Name", QStringLiteral("colors"), kFirstRow + kBesideSwatch);
        swatch("Line Color1", o.lineColor1, 40, kFirstRow);
        swatch("Line Color2", o.lineColor2, 75, kFirstRow);
        caption("Line Pattern Name", QStringLiteral("quantize"), kSecondRow + kBesideSlider);
        // A large step of 1 is refused (it must exceed the small one): Page Up and
        // Page Down then jump to the ends of this short range.
        slider("Line Pattern", o.lineQuantize, 0, 4, 1, kSecondRow, noteLength);
        break;
    case Tool::Aero:
        caption("Aero Color Name", QStringLiteral("colors"), kFirstRow + kBesideSwatch);
        swatch("Aero Color1", o.aeroColor1, 40, kFirstRow);
        swatch("Aero Color2", o.aeroColor2, 75, kFirstRow);
        caption("Aero Radius Name", QStringLiteral("radius"), kTightSecondRow + kBesideSlider);
        slider("Aero Radius", o.aeroRadius, 2, 32, 10, kTightSecondRow, plainNumber);
        caption("Aero Speed Name", QStringLiteral("speed"), kTightThirdRow + kBesideSlider);
        slider("Aero Speed", o.aeroSpeed, 1, 100, 10, kTightThirdRow, plainNumber);
        break;
    default:
        break;
    }
    for (QWidget* control : controls_)
        control->show();
}

void ToolPanels::close()
{
    for (const QPointer<QWidget>& control : controls_)
        delete control.data();
    controls_.clear();
}

void ToolPanels::caption(const char* name, const QString& text, int top)
{
    auto* label = new QLabel(text, &window_);
    label->setObjectName(QString::fromUtf8(name));
    const int y = geometry_.panelTop() + top;
    const int x = geometry_.columnLeft();
    label->setGeometry(edgesRect(x, y, x + 40, y + 20));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    controls_.emplace_back(label);
}

void ToolPanels::swatch(const char* name, Cell& color, int left, int top)
{
    auto* button = new ToolSwatch(color, &window_);
    button->setObjectName(QString::fromUtf8(name));
    const int x = geometry_.columnLeft() + left;
    const int y = geometry_.panelTop() + top;
    button->setGeometry(x, y, 24, 20);
    controls_.emplace_back(button);
}

void ToolPanels::slider(
    const char* name, int& value, int minimum, int maximum, int largeStep, int top, QString (*text)(int))
{
    const int x = geometry_.columnLeft();
    const int y = geometry_.panelTop() + top;
    auto* label = new QLabel(&window_);
    label->setObjectName(QString::fromUtf8(name) + QStringLiteral(" Value"));
    label->setGeometry(edgesRect(x + 146, y + 1, x + 186, y + 21));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The option follows the slider, so it outlives the panel.
    auto* control = new ValueSlider(*label, text, &window_);
    control->setObjectName(QString::fromUtf8(name));
    control->setGeometry(edgesRect(x + 40, y, x + 140, y + 15));
    control->setReaction([&value](int v) { value = v; });
    control->setUp(minimum, maximum, value, largeStep);
    controls_.emplace_back(control);
    controls_.emplace_back(label);
}

} // namespace quom
