#include "platform/settings/ApplicationFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>

namespace quom {

namespace {

std::string withSlash(QString folder)
{
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder.toStdString();
}

} // namespace

std::string chooseApplicationFolder(const QString& executableFolder, const QString& installedFolder)
{
    const QString home = qEnvironmentVariable("QUOM_HOME");
    if (!home.isEmpty())
        return withSlash(home);
    const QFileInfo executable(executableFolder);
    const bool installed = executable.canonicalFilePath() == QFileInfo(installedFolder).canonicalFilePath();
    if (executable.isDir() && executable.isWritable() && !installed)
        return withSlash(executableFolder);
    // Installed: the files go to the user's own data folder.
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

} // namespace quom
