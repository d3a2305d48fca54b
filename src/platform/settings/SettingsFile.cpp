#include "platform/settings/SettingsFile.h"

#include <QFileInfo>
#include <QSettings>

namespace quom {

QString userSettingsFileName(const QString& organisation, const QString& application)
{
    // A store of a name no file has reads nothing of its own, and tells the folder
    // (honouring QSettings::setPath and XDG_CONFIG_HOME) all the same.
    const QSettings probe(
        QSettings::NativeFormat, QSettings::UserScope, organisation, application + QStringLiteral(".folder"));
    return QFileInfo(probe.fileName()).absolutePath() + QLatin1Char('/') + application
        + QStringLiteral(".conf");
}

std::optional<ReadError> unusableSettingsFile(const QString& fileName)
{
    // A link that leads nowhere is a missing file: QSettings writes a new one in its place.
    if (!QFileInfo::exists(fileName))
        return std::nullopt;
    const ReadStatus checked = checkRegularFile(fileName.toStdString(), kSettingsFileKind);
    if (checked)
        return std::nullopt;
    return checked.error();
}

} // namespace quom
