#include "ui/main/StemChoiceDlg.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quom {
namespace {

// A group of two choices, the second checked when second is true; returns that one.
QRadioButton* addChoice(QVBoxLayout& layout, const QString& title, const QString& first,
    const QString& second, bool secondChecked)
{
    auto* group = new QGroupBox(title);
    auto* rows = new QVBoxLayout(group);
    auto* a = new QRadioButton(first, group);
    auto* b = new QRadioButton(second, group);
    rows->addWidget(a);
    rows->addWidget(b);
    (secondChecked ? b : a)->setChecked(true);
    layout.addWidget(group);
    return b;
}

} // namespace

StemChoiceDlg::StemChoiceDlg(const StemChoices& start, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Export stems"));
    auto* layout = new QVBoxLayout(this);
    perBlock_ = addChoice(
        *layout, tr("Files"), tr("One file per row"), tr("One file per block of 16 rows"), start.files == 1);
    float_ = addChoice(*layout, tr("Format"), tr("16-bit, all at the gain of the stereo export"),
        tr("32-bit float, at the engine's own level"), start.format == 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Export"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

StemChoices StemChoiceDlg::choices() const
{
    return {static_cast<std::uint8_t>(perBlock_->isChecked() ? 1 : 0),
        static_cast<std::uint8_t>(float_->isChecked() ? 0 : 1)};
}

} // namespace quom
