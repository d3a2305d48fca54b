#include "ui/controls/PatternToolDlg.h"

#include "core/project/Project.h"
#include "ui/controls/Theme.h"
#include "ui/controls/WindowKeys.h"

#include <QPushButton>

namespace quom {

PatternToolDlg::PatternToolDlg(Project& project, const QString& title, QWidget* parent)
    : QDialog(parent)
    , project_(project)
    , loan_(project)
    , start_(project.model().current().snapshot())
{
    new WindowKeys(*this);
    setWindowTitle(title);
    theme::apply(this);
}

void PatternToolDlg::accept()
{
    project_.recordUndo();
    QDialog::accept();
}

void PatternToolDlg::reject()
{
    project_.showCells(start_);
    QDialog::reject();
}

void PatternToolDlg::showPattern(const Grid& cells)
{
    project_.showCells(cells);
}

QPushButton* PatternToolDlg::addOkButton(int x, int y, int width, int height)
{
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setDefault(true);
    theme::place(ok, x, y, width, height);
    connect(ok, &QPushButton::clicked, this, &PatternToolDlg::accept);
    return ok;
}

} // namespace quom
