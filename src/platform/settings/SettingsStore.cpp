#include "platform/settings/SettingsStore.h"

#include <QSettings>
#include <QString>

namespace quom {

namespace {

QSettings openStore()
{
    return QSettings(
        QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Caldenor"), QStringLiteral("Quom"));
}

QString keyOf(const char* section, const char* key)
{
    return QString::fromUtf8(section) + QLatin1Char('/') + QString::fromUtf8(key);
}

struct Reader {
    QSettings& store;

    bool number(const char* section, const char* key, qlonglong& out) const
    {
        const QVariant v = store.value(keyOf(section, key));
        if (!v.isValid())
            return false;
        bool ok = false;
        out = v.toLongLong(&ok);
        return ok;
    }

    void operator()(const char* section, const char* key, bool& member) const
    {
        qlonglong n = 0;
        if (number(section, key, n))
            member = flagFromStored(n);
    }
    void operator()(const char* section, const char* key, std::uint8_t& member) const
    {
        qlonglong n = 0;
        if (number(section, key, n))
            member = byteFromStored(n);
    }
    void operator()(const char* section, const char* key, std::int32_t& member) const
    {
        qlonglong n = 0;
        if (number(section, key, n) && n >= INT32_MIN && n <= INT32_MAX)
            member = static_cast<std::int32_t>(n);
    }
    void operator()(const char* section, const char* key, std::string& member) const
    {
        const QVariant v = store.value(keyOf(section, key));
        if (v.isValid())
            member = v.toString().toStdString();
    }
};

struct Writer {
    QSettings& store;

    void operator()(const char* section, const char* key, bool member) const
    {
        store.setValue(keyOf(section, key), member ? 1 : 0);
    }
    void operator()(const char* section, const char* key, std::uint8_t member) const
    {
        store.setValue(keyOf(section, key), static_cast<int>(member));
    }
    void operator()(const char* section, const char* key, std::int32_t member) const
    {
        store.setValue(keyOf(section, key), member);
    }
    void operator()(const char* section, const char* key, const std::string& member) const
    {
        store.setValue(keyOf(section, key), QString::fromStdString(member));
    }
};

} // namespace

void loadSettings(Settings& settings)
{
    QSettings store = openStore();
    forEachSetting(settings, Reader{store});
}

void saveSettings(const Settings& settings)
{
    QSettings store = openStore();
    forEachSetting(settings, Writer{store});
    store.sync();
}

} // namespace quom
