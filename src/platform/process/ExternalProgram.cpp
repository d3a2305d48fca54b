#include "platform/process/ExternalProgram.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace quom {

bool startExternalProgram(const std::string& command, const std::string& argument)
{
    QStringList words = QProcess::splitCommand(QString::fromStdString(command));
    if (words.isEmpty())
        return false;
    const QString program = words.takeFirst();
    words.append(QString::fromStdString(argument));
    return QProcess::startDetached(program, words);
}

} // namespace quom
