#include "ui/generators/MutateDlg.h"

#include "core/generators/MutateColors.h"
#include "core/operations/PatternOperations.h"
#include "ui/controls/ButtonPictures.h"
#include "ui/controls/CCommandButton.h"
#include "ui/controls/Theme.h"
#include "ui/controls/ToolWindowRows.h"
#include "ui/generators/GeneratorSliders.h"

#include <ctime>

namespace quom {

MutateDlg::MutateDlg(Project& project, QWidget* parent)
    : MutateDlg(project, static_cast<std::uint32_t>(std::time(nullptr)), parent)
{
}

MutateDlg::MutateDlg(Project& project, std::uint32_t seed, QWidget* parent)
    : PatternToolDlg(project, QStringLiteral("Mutate colors"), parent)
    , seed_(seed)
{
    setFixedSize(theme::dluRect(0, 0, 243, 93).size());
    for (int channel = 0; channel < 3; ++channel) {
        const ChannelRow& row = kChannelRows[static_cast<std::size_t>(channel)];
        auto* slider = addSliderRow<MutateSlider>(
            this, row.name, tr(row.caption), 12 + 20 * channel, {7, 36, 45, 85, 133, 24});
        slider->setReaction([this, channel](int v) {
            amounts_[channel] = v;
            mutateFromSeed();
        });
        slider->setUp(0, 100, 10);
    }

    auto* again = new CCommandButton(kNewMutation, this);
    const QString help = tr("Draw a new mutation.");
    again->setUp(QPoint(240, 37), buttonPictures(u"New Mutation"), help, CCommandButton::Push);
    again->setToolTip(help);
    again->setFocusPolicy(Qt::NoFocus);
    connect(again, &HelpTextButton::command, this, &MutateDlg::drawNewMutation);
    addOkButton(186, 72);
}

void MutateDlg::mutateFromSeed()
{
    Grid cells = startingPattern();
    applyOperation({OperationId::Mutate, Mutation{amounts_[0], amounts_[1], amounts_[2], seed_}}, cells);
    showPattern(cells);
}

void MutateDlg::drawNewMutation()
{
    Grid cells = startingPattern();
    mutateCells(cells, amounts_[0], amounts_[1], amounts_[2]);
    showPattern(cells);
}

} // namespace quom
