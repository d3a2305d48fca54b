#pragma once

#include "ui/controls/UserPrompts.h"

#include <vector>

// Answers a window's questions in place of a person and keeps what it was told.
class FakePrompts : public quom::UserPrompts {
public:
    void message(QWidget*, const QString& text, const QString&) override { messages.push_back(text); }
    bool confirm(QWidget*, const QString& text) override
    {
        questions.push_back(text);
        return answer;
    }
    bool ask(QWidget*, const QString& text, const QString&) override
    {
        questions.push_back(text);
        return answer;
    }
    quom::SaveChoice askToSave(QWidget*, const QString& text, const QString&) override
    {
        questions.push_back(text);
        return saveChoice;
    }
    QString openFile(QWidget*, const quom::FileRequest& request) override { return choose(request); }
    QString saveFile(QWidget*, const quom::FileRequest& request) override { return choose(request); }
    QStringList openFiles(QWidget*, const quom::FileRequest& request) override
    {
        requests.push_back(request);
        return paths;
    }
    QString chooseFolder(QWidget*, const QString& caption, const QString& start) override
    {
        folderRequests.push_back({caption, start});
        return folder;
    }

    std::vector<QString> messages;
    std::vector<QString> questions;
    std::vector<quom::FileRequest> requests;
    std::vector<std::pair<QString, QString>> folderRequests; // caption, start
    bool answer = true;
    quom::SaveChoice saveChoice = quom::SaveChoice::Save;
    QString path; // the file the next file dialog returns; empty = cancel
    QStringList paths; // the files the next multiple choice returns
    QString folder; // the folder the next folder dialog returns

private:
    QString choose(const quom::FileRequest& request)
    {
        requests.push_back(request);
        return path;
    }
};
