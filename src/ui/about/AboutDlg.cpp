#include "ui/about/AboutDlg.h"

#include "ui/controls/Theme.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

namespace quom {

AboutDlg::AboutDlg(const QString& applicationFolder, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("About Quom"));
    theme::apply(this);

    auto* name = new QLabel(QStringLiteral("Quom " QUOM_VERSION), this);
    QFont big = name->font();
    big.setPointSize(14);
    big.setBold(true);
    name->setFont(big);

    auto* blurb = new QLabel(tr("Music painted on a 64 x 64 grid of coloured cells."), this);

    const QString url = QUrl::fromLocalFile(applicationFolder).toString();
    auto* link = new QLabel(
        QStringLiteral("<a style=\"color:#ffb469\" href=\"%1\">%2</a>").arg(url, tr("Open the Quom folder")),
        this);
    link->setObjectName(QStringLiteral("link"));
    link->setTextFormat(Qt::RichText);
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    link->setOpenExternalLinks(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(blurb);
    layout->addWidget(link);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace quom
