#include "ui/controls/UserPrompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace quom {

namespace {

QString startFolderOf(const QString& startPath)
{
    const QFileInfo start(startPath);
    return start.isDir() ? start.absoluteFilePath() : start.absolutePath();
}

QString runFileDialog(QWidget* parent, const FileRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.caption);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setDirectory(startFolderOf(request.startPath));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

void DialogPrompts::message(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox::warning(parent, title, text);
}

bool DialogPrompts::confirm(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, QStringLiteral("Quom"), text, QMessageBox::Ok | QMessageBox::Cancel,
               QMessageBox::Cancel)
        == QMessageBox::Ok;
}

bool DialogPrompts::ask(QWidget* parent, const QString& text, const QString& title)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        == QMessageBox::Yes;
}

QString DialogPrompts::openFile(QWidget* parent, const FileRequest& request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptOpen);
}

QString DialogPrompts::saveFile(QWidget* parent, const FileRequest& request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}

QStringList DialogPrompts::openFiles(QWidget* parent, const FileRequest& request)
{
    return QFileDialog::getOpenFileNames(
        parent, request.caption, startFolderOf(request.startPath), request.filter);
}

QString DialogPrompts::chooseFolder(QWidget* parent, const QString& caption, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(parent, caption, startFolderOf(startFolder));
}

} // namespace quom
