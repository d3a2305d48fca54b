#include "ui/generators/WaveSeqDlg.h"

#include "ui/controls/ButtonPictures.h"
#include "ui/controls/CCommandButton.h"
#include "ui/controls/GUIcolorButton.h"
#include "ui/controls/Theme.h"
#include "ui/controls/ToolWindowRows.h"
#include "ui/generators/GeneratorSliders.h"

#include <algorithm>
#include <functional>

namespace quom {

namespace {

// A swatch whose colour is one of the wave's two: it stores the colour and redraws.
class WaveSeqColorButton : public GUIcolorButton {
public:
    WaveSeqColorButton(Cell& color, std::function<void()> changed, QWidget* parent)
        : GUIcolorButton(parent)
        , color_(color)
        , changed_(std::move(changed))
    {
        setColor(color);
        registerDropTarget();
    }
    void colorChanged() override
    {
        color_ = color();
        changed_();
    }

private:
    Cell& color_;
    std::function<void()> changed_;
};

struct ButtonEntry {
    int id;
    int x;
    const char* picture;
    const char* help;
};

constexpr std::array<ButtonEntry, 8> kButtons{{
    {1111, 10, "Sine", "sine"},
    {1112, 50, "Exp", "exp"},
    {1113, 90, "Ramp", "ramp"},
    {1114, 130, "Triangle", "triangle"},
    {1122, 170, "S&H", "S & H"},
    {1025, 210, "Wave Random", "random"},
    {WaveSeqDlg::kFlipX, 290, "Flip X", "flipx"},
    {WaveSeqDlg::kFlipY, 322, "Flip Y", "flipy"},
}};

bool holdsPeriod(Wave wave)
{
    return wave != Wave::SampleAndHold && wave != Wave::Random;
}

} // namespace

WaveSeqDlg::WaveSeqDlg(Project& project, WaveSettings& settings, QWidget* parent)
    : PatternToolDlg(project, QStringLiteral("Wave Sequence"), parent)
    , settings_(settings)
    , randoms_(drawWaveRandoms())
{
    setFixedSize(theme::dluRect(0, 0, 287, 111).size());

    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        const ButtonEntry& entry = kButtons[i];
        const bool wave = i < kWaveButtons.size();
        auto* button = new CCommandButton(entry.id, this);
        const QString help = QString::fromUtf8(entry.help);
        button->setUp(QPoint(entry.x, 10), buttonPictures(QString::fromUtf8(entry.picture)), help,
            wave ? CCommandButton::Tool : CCommandButton::Toggle);
        button->setToolTip(help);
        button->setFocusPolicy(Qt::NoFocus);
        if (wave) {
            connect(button, &HelpTextButton::command, this, [this, i] { chooseWave(static_cast<Wave>(i)); });
        } else {
            bool& flag = entry.id == kFlipX ? settings_.flipX : settings_.flipY;
            connect(button, &HelpTextButton::command, this, [this, button, &flag] {
                flag = !flag;
                button->setState(flag);
                draw();
            });
        }
    }

    const SliderRowColumns columns{7, 35, 45, 100, 148, 16};
    const struct {
        const char* name;
        const char* caption;
        int y;
        int minimum;
        int maximum;
        int WaveSettings::*field;
    } rows[] = {
        {"period", "Period", 32, 1, 10, &WaveSettings::period},
        {"scale", "Scale", 47, 2, 64, &WaveSettings::scale},
        {"offsetx", "Offset X", 62, 0, 63, &WaveSettings::offsetX},
        {"offsety", "Offset Y", 77, 0, 63, &WaveSettings::offsetY},
    };
    for (const auto& row : rows) {
        auto* slider = addSliderRow<WaveSeqSlider>(this, row.name, tr(row.caption), row.y, columns);
        int WaveSettings::*field = row.field;
        slider->setReaction([this, field](int v) {
            settings_.*field = v;
            draw();
        });
        slider->setUp(row.minimum, row.maximum, std::clamp(settings_.*field, row.minimum, row.maximum));
    }

    addStaticText(this, tr("starting color"), 180, 33, 50);
    addStaticText(this, tr("ending color"), 180, 48, 50);
    auto* start = new WaveSeqColorButton(
        settings_.startColor, [this] { draw(); }, this);
    start->setObjectName(QStringLiteral("starting color"));
    theme::place(start, 232, 31, 22, 13);
    auto* end = new WaveSeqColorButton(
        settings_.endColor, [this] { draw(); }, this);
    end->setObjectName(QStringLiteral("ending color"));
    theme::place(end, 232, 46, 22, 13);

    button(kFlipX)->setState(settings_.flipX);
    button(kFlipY)->setState(settings_.flipY);
    showWave();
    addOkButton(118, 92);
    initialised_ = true;
    draw();
}

CCommandButton* WaveSeqDlg::button(int id) const
{
    return findCommandButton(*this, id);
}

void WaveSeqDlg::chooseWave(Wave wave)
{
    settings_.wave = wave;
    // Each press of sample and hold or random gives a new line.
    if (!holdsPeriod(wave))
        randoms_ = drawWaveRandoms();
    showWave();
    draw();
}

void WaveSeqDlg::showWave()
{
    for (std::size_t i = 0; i < kWaveButtons.size(); ++i)
        button(kWaveButtons[i])->setState(static_cast<Wave>(i) == settings_.wave);
    const bool period = holdsPeriod(settings_.wave);
    for (const char* part : {"period", "period caption", "period value"})
        findChild<QWidget*>(QString::fromUtf8(part))->setVisible(period);
}

void WaveSeqDlg::draw()
{
    if (!initialised_)
        return;
    Grid cells = startingPattern();
    drawWaveSequence(cells, settings_, randoms_);
    showPattern(cells);
}

} // namespace quom
