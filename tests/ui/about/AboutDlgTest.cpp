#include "ui/about/AboutDlg.h"

#include <QLabel>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

TEST(AboutDlg, NamesTheProgramWithItsVersionAndLinksToItsFolder)
{
    quom::AboutDlg about(QStringLiteral("/opt/quom/"));
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Quom 1.1"))) << texts.join(u'|').toStdString();

    const auto* link = about.findChild<QLabel*>(QStringLiteral("link"));
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->openExternalLinks());
    EXPECT_TRUE(link->text().contains(QUrl::fromLocalFile(QStringLiteral("/opt/quom/")).toString()));
}

} // namespace
