#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The questions the windows put to the user: messages, confirmations, file and folder
// choices. A window asks through this interface so that tests can answer in place of
// a person; DialogPrompts asks with Qt's standard dialogs in the program's dark look.
namespace quom {

// What becomes of unsaved work that would otherwise be lost.
enum class SaveChoice { Save, Discard, Cancel };

struct FileRequest {
    QString caption;
    QString startPath; // a folder, or the last file chosen there
    QString filter; // Qt's form: "Quom files (*.qom);;All files (*)"
    QString defaultSuffix; // added when the user types a name without one
};

class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // A modal message with an OK button.
    virtual void message(QWidget* parent, const QString& text, const QString& title) = 0;
    // OK / Cancel; true for OK.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
    // Yes / No, with Yes the default; true for Yes.
    virtual bool ask(QWidget* parent, const QString& text, const QString& title) = 0;
    // Save / Discard / Cancel, with Save the default; closing the question cancels.
    virtual SaveChoice askToSave(QWidget* parent, const QString& text, const QString& title) = 0;
    // The chosen path, or an empty string when the user cancels.
    virtual QString openFile(QWidget* parent, const FileRequest& request) = 0;
    virtual QString saveFile(QWidget* parent, const FileRequest& request) = 0;
    // Several existing files in the order given; empty when the user cancels.
    virtual QStringList openFiles(QWidget* parent, const FileRequest& request) = 0;
    // An existing folder, or an empty string when the user cancels.
    virtual QString chooseFolder(QWidget* parent, const QString& caption, const QString& startFolder) = 0;
};

class DialogPrompts final : public UserPrompts {
public:
    void message(QWidget* parent, const QString& text, const QString& title) override;
    bool confirm(QWidget* parent, const QString& text) override;
    bool ask(QWidget* parent, const QString& text, const QString& title) override;
    SaveChoice askToSave(QWidget* parent, const QString& text, const QString& title) override;
    QString openFile(QWidget* parent, const FileRequest& request) override;
    QString saveFile(QWidget* parent, const FileRequest& request) override;
    QStringList openFiles(QWidget* parent, const FileRequest& request) override;
    QString chooseFolder(QWidget* parent, const QString& caption, const QString& startFolder) override;
};

} // namespace quom
