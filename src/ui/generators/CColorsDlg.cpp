#include "ui/generators/CColorsDlg.h"

#include "core/edit/Transforms.h"
#include "ui/controls/Theme.h"
#include "ui/controls/ToolWindowRows.h"
#include "ui/generators/GeneratorSliders.h"

namespace quom {

CColorsDlg::CColorsDlg(Project& project, QWidget* parent)
    : PatternToolDlg(project, QStringLiteral("Offset colors"), parent)
{
    setFixedSize(theme::dluRect(0, 0, 198, 93).size());
    for (int channel = 0; channel < 3; ++channel) {
        const ChannelRow& row = kChannelRows[static_cast<std::size_t>(channel)];
        auto* slider = addSliderRow<ColorSlider>(this, row.name, tr(row.caption), 12 + 20 * channel);
        slider->setReaction([this, channel](int v) {
            offsets_[channel] = v - 100;
            applyOffsets();
        });
        slider->setUp(0, 200, 100);
    }
    initialised_ = true;
    addOkButton(74, 72);
}

void CColorsDlg::applyOffsets()
{
    if (!initialised_)
        return;
    // Always from the starting pattern: which cells are painted is judged there too, so a
    // cell pushed to black comes back when the offset is reduced, and all three offsets at
    // 0 show the starting pattern again.
    Grid cells = startingPattern();
    offsetColours(cells, offsets_[0], offsets_[1], offsets_[2]);
    showPattern(cells);
}

} // namespace quom
