#include "ui/controls/FavoriteColors.h"

#include "platform/settings/SettingsFile.h"

#include <QSettings>
#include <QString>

namespace quom {
namespace {

const QString kGroup = QStringLiteral("GUIcolorPicker/Favorites");

QString valueName(int index)
{
    return QStringLiteral("Favorite color #%1").arg(index + 1);
}

const QString kOrganisation = QStringLiteral("Velmoor");
const QString kApplication = QStringLiteral("GUIlibrary");

QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, kOrganisation, kApplication);
}

bool storeUsable()
{
    return !unusableSettingsFile(userSettingsFileName(kOrganisation, kApplication));
}

} // namespace

FavoriteColorList readFavoriteColors()
{
    FavoriteColorList colors;
    colors.fill(255);
    if (!storeUsable())
        return colors;
    QSettings settings = store();
    settings.beginGroup(kGroup);
    for (int i = 0; i < static_cast<int>(colors.size()); ++i) {
        bool ok = false;
        const qlonglong v = settings.value(valueName(i)).toString().toLongLong(&ok);
        // Signed and unsigned readings of a 32-bit word are both accepted.
        if (ok && v >= -2147483648LL && v <= 4294967295LL)
            colors[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(v);
    }
    return colors;
}

void writeFavoriteColors(const FavoriteColorList& colors)
{
    if (!storeUsable())
        return;
    QSettings settings = store();
    settings.remove(kGroup);
    settings.beginGroup(kGroup);
    for (int i = 0; i < static_cast<int>(colors.size()); ++i)
        settings.setValue(valueName(i), static_cast<quint32>(colors[static_cast<std::size_t>(i)]));
    settings.endGroup();
    settings.sync();
}

} // namespace quom
