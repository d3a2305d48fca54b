#include "ui/controls/PatternToolDlg.h"

#include "core/session/Session.h"
#include "ui/controls/Theme.h"

#include <QPushButton>

namespace quom {

PatternToolDlg::PatternToolDlg(Session& session, const QString& title, QWidget* parent)
    : QDialog(parent)
    , session_(session)
    , start_(session.model().current().snapshot())
{
    setWindowTitle(title);
    theme::apply(this);
}

void PatternToolDlg::accept()
{
    session_.recordUndo();
    QDialog::accept();
}

void PatternToolDlg::reject()
{
    session_.showCells(start_);
    QDialog::reject();
}

void PatternToolDlg::showPattern(const Grid& cells)
{
    session_.showCells(cells);
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
