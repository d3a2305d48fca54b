#include "platform/settings/SettingsFile.h"

#include <QFileInfo>

namespace quom {

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
