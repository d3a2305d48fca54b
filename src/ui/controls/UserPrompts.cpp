#include "ui/controls/UserPrompts.h"

#include "ui/controls/Theme.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace quom {

namespace {

QString startFolderOf(const QString& startPath)
{
    const QFileInfo start(startPath);
    return start.isDir() ? start.absoluteFilePath() : start.absolutePath();
}

// Qt's own dialog rather than the desktop's, which would not wear the program's look.
QStringList runFileDialog(QWidget* parent, const FileRequest& request, QFileDialog::FileMode fileMode,
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen)
{
    QFileDialog dialog(parent, request.caption);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly, fileMode == QFileDialog::Directory);
    theme::applyColors(&dialog);
    dialog.setAcceptMode(acceptMode);
    dialog.setFileMode(fileMode);
    if (!request.filter.isEmpty())
        dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setDirectory(startFolderOf(request.startPath));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString firstOf(const QStringList& paths)
{
    return paths.isEmpty() ? QString() : paths.constFirst();
}

QMessageBox::StandardButton runMessageBox(QMessageBox& box, QMessageBox::StandardButton defaultButton)
{
    box.setDefaultButton(defaultButton);
    theme::applyColors(&box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void DialogPrompts::message(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    runMessageBox(box, QMessageBox::Ok);
}

bool DialogPrompts::confirm(QWidget* parent, const QString& text)
{
    QMessageBox box(
        QMessageBox::Question, QStringLiteral("Quom"), text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    return runMessageBox(box, QMessageBox::Cancel) == QMessageBox::Ok;
}

bool DialogPrompts::ask(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    return runMessageBox(box, QMessageBox::Yes) == QMessageBox::Yes;
}

SaveChoice DialogPrompts::askToSave(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, title, text,
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    // Letters a key can answer with, whatever texts the desktop gives the buttons.
    box.button(QMessageBox::Save)->setText(QObject::tr("&Save"));
    box.button(QMessageBox::Discard)->setText(QObject::tr("&Discard"));
    switch (runMessageBox(box, QMessageBox::Save)) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

QString DialogPrompts::openFile(QWidget* parent, const FileRequest& request)
{
    return firstOf(runFileDialog(parent, request, QFileDialog::ExistingFile));
}

QString DialogPrompts::saveFile(QWidget* parent, const FileRequest& request)
{
    return firstOf(runFileDialog(parent, request, QFileDialog::AnyFile, QFileDialog::AcceptSave));
}

QStringList DialogPrompts::openFiles(QWidget* parent, const FileRequest& request)
{
    return runFileDialog(parent, request, QFileDialog::ExistingFiles);
}

QString DialogPrompts::chooseFolder(QWidget* parent, const QString& caption, const QString& startFolder)
{
    return firstOf(runFileDialog(parent, {caption, startFolder, {}, {}}, QFileDialog::Directory));
}

} // namespace quom
