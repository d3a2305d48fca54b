#include "ui/controls/UserPrompts.h"

#include "ui/controls/Theme.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using namespace quom;

TEST(DialogPrompts, TheSaveQuestionIsDarkAndEachKeyGivesItsOwnAnswer)
{
    DialogPrompts prompts;
    auto answer = [&](Qt::Key key) {
        QTimer::singleShot(0, [key] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->palette().color(QPalette::Window), theme::kBackground);
            EXPECT_EQ(box->palette().color(QPalette::WindowText), theme::kStaticText);
            QTest::keyClick(box, key);
            // A key that answers nothing fails the test rather than leaving it waiting.
            if (!QTest::qWaitFor([&] { return !box->isVisible(); }, 30000))
                box->close();
        });
        return prompts.askToSave(nullptr, QStringLiteral("Save?"), QStringLiteral("Quom"));
    };
    EXPECT_TRUE(answer(Qt::Key_Return) == SaveChoice::Save);
    EXPECT_TRUE(answer(Qt::Key_D) == SaveChoice::Discard);
    EXPECT_TRUE(answer(Qt::Key_Escape) == SaveChoice::Cancel);
}

} // namespace
