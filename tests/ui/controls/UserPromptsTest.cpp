#include "ui/controls/UserPrompts.h"

#include "support/TempDir.h"
#include "ui/controls/Theme.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace quom {

void PrintTo(SaveChoice choice, std::ostream* out)
{
    constexpr const char* kNames[] = {"Save", "Discard", "Cancel"};
    *out << kNames[static_cast<int>(choice)];
}

} // namespace quom

namespace {

using namespace quom;

// Acts on the modal dialog the next call shows, once it runs; a dialog of another type
// is closed so that the test fails rather than waits.
template <typename Dialog> void whenShown(std::function<void(Dialog&)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget* shown = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<Dialog*>(shown);
        if (!dialog) {
            ADD_FAILURE() << "no dialog of the expected type";
            if (shown)
                shown->close();
            return;
        }
        act(*dialog);
    });
}

// A key that answers clicks its button a moment later; a key that does not is a failure,
// not a test that waits for ever.
void press(QMessageBox& box, Qt::Key key)
{
    QTest::keyClick(&box, key);
    if (!QTest::qWaitFor([&] { return !box.isVisible(); }, 30000))
        box.close();
}

void expectDarkLook(const QWidget& dialog)
{
    EXPECT_EQ(dialog.palette().color(QPalette::Window), theme::kBackground);
    EXPECT_EQ(dialog.palette().color(QPalette::WindowText), theme::kStaticText);
    EXPECT_EQ(dialog.palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_TRUE(dialog.autoFillBackground());
}

TEST(DialogPrompts, TheSaveQuestionIsDarkAndEachAnswerIsItsOwn)
{
    DialogPrompts prompts;
    whenShown<QMessageBox>([](QMessageBox& box) {
        expectDarkLook(box);
        EXPECT_EQ(box.text(), QStringLiteral("Save?"));
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Save));
        QTest::mouseClick(box.button(QMessageBox::Save), Qt::LeftButton);
    });
    EXPECT_EQ(prompts.askToSave(nullptr, QStringLiteral("Save?"), QStringLiteral("Quom")), SaveChoice::Save);

    whenShown<QMessageBox>([](QMessageBox& box) { press(box, Qt::Key_D); });
    EXPECT_EQ(
        prompts.askToSave(nullptr, QStringLiteral("Save?"), QStringLiteral("Quom")), SaveChoice::Discard);

    whenShown<QMessageBox>([](QMessageBox& box) { press(box, Qt::Key_Escape); });
    EXPECT_EQ(
        prompts.askToSave(nullptr, QStringLiteral("Save?"), QStringLiteral("Quom")), SaveChoice::Cancel);

    whenShown<QMessageBox>([](QMessageBox& box) {
        expectDarkLook(box);
        box.close();
    });
    prompts.message(nullptr, QStringLiteral("Error"), QStringLiteral("Quom"));
}

TEST(DialogPrompts, FileDialogsAreQtsOwnInTheDarkLookAndStartWhereAsked)
{
    TempDir dir;
    dir.write("song.qom", std::string("x"));
    const QString folder = QString::fromStdString(dir.path());
    DialogPrompts prompts;

    whenShown<QFileDialog>([&](QFileDialog& dialog) {
        expectDarkLook(dialog);
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dialog.directory().absolutePath(), folder);
        dialog.selectFile(QStringLiteral("song.qom"));
        static_cast<QDialog&>(dialog).accept(); // QFileDialog hides its own accept()
    });
    EXPECT_EQ(
        prompts.openFile(nullptr, {QStringLiteral("Load"), folder, QStringLiteral("Quom files (*.qom)"), {}}),
        QString::fromStdString(dir.file("song.qom")));

    whenShown<QFileDialog>([](QFileDialog& dialog) {
        expectDarkLook(dialog);
        EXPECT_EQ(dialog.fileMode(), QFileDialog::Directory);
        dialog.reject();
    });
    EXPECT_EQ(prompts.chooseFolder(nullptr, QStringLiteral("Folder"), folder), QString());
}

} // namespace
