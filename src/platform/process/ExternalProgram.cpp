#include "platform/process/ExternalProgram.h"

#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace quom {

namespace {

// A path chosen with the browse button is taken whole: splitting it at its spaces would
// start some other program, or none.
QStringList wordsOf(const QString& command)
{
    const QFileInfo file(command);
    if (file.isFile() && file.isExecutable())
        return {command};
    return QProcess::splitCommand(command);
}

} // namespace

bool startExternalProgram(const std::string& command, const std::string& argument)
{
    QStringList words = wordsOf(QString::fromStdString(command));
    if (words.isEmpty())
        return false;
    const QString program = words.takeFirst();
    words.append(QString::fromStdString(argument));
    return QProcess::startDetached(program, words);
}

} // namespace quom
