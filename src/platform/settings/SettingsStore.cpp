#include "platform/settings/SettingsStore.h"

#include "platform/settings/SettingsFile.h"

#include <QFile>
#include <QSettings>
#include <QString>
#include <QTemporaryFile>

#include <memory>
#include <optional>
#include <type_traits>

namespace quom {

namespace {

const QString kOrganisation = QStringLiteral("Caldenor");
const QString kApplication = QStringLiteral("Quom");

std::unique_ptr<QSettings> openStore()
{
    return std::make_unique<QSettings>(
        QSettings::NativeFormat, QSettings::UserScope, kOrganisation, kApplication);
}

std::optional<ReadError> unusableStore()
{
    return unusableSettingsFile(userSettingsFileName(kOrganisation, kApplication));
}

// Qt rebuilds a value stored as "@Variant(...)" from its binary form, and a damaged one
// can ask for gigabytes, or for a type that needs a window. Quom writes none, so an entry
// that spells one (an '@' or an escape before "Variant(") is left out of the reading.
// An entry is a line and the lines a trailing backslash joins to it.
bool spellsAVariant(const QByteArray& entry)
{
    const qsizetype at = entry.lastIndexOf("Variant(");
    return at > 0 && (entry.left(at).contains('@') || entry.left(at).contains('\\'));
}

bool continues(const QByteArray& line)
{
    return line.endsWith('\\') || line.endsWith("\\\r");
}

// The file without such entries; nothing when it has none.
std::optional<QByteArray> withoutVariants(const QByteArray& text)
{
    QByteArray kept;
    QByteArray entry;
    bool dropped = false;
    for (const QByteArray& line : text.split('\n')) {
        entry += line + '\n';
        if (continues(line))
            continue;
        if (spellsAVariant(entry))
            dropped = true;
        else
            kept += entry;
        entry.clear();
    }
    if (spellsAVariant(entry))
        dropped = true;
    else
        kept += entry;
    return dropped ? std::optional{kept} : std::nullopt;
}

// The store to read from: the settings file itself, or when it holds such entries a
// temporary copy without them.
std::unique_ptr<QSettings> openStoreToRead(QTemporaryFile& copy)
{
    auto store = openStore();
    QFile file(store->fileName());
    if (!file.open(QIODevice::ReadOnly))
        return store;
    const auto kept = withoutVariants(file.readAll());
    if (!kept)
        return store;
    if (!copy.open() || copy.write(*kept) != kept->size() || !copy.flush())
        return std::make_unique<QSettings>(QString(), QSettings::IniFormat);
    copy.close();
    return std::make_unique<QSettings>(copy.fileName(), QSettings::IniFormat);
}

QString keyOf(const char* section, const char* key)
{
    return QString::fromUtf8(section) + QLatin1Char('/') + QString::fromUtf8(key);
}

struct Reader {
    QSettings& store;
    std::vector<ClampedSetting>& clamped;

    bool number(const char* section, const char* key, qlonglong& out) const
    {
        const QVariant v = store.value(keyOf(section, key));
        if (!v.isValid())
            return false;
        bool ok = false;
        out = v.toLongLong(&ok);
        return ok;
    }

    // read: what the setting makes of the stored number before its range applies.
    template <class Member>
    void inRange(
        const char* key, qlonglong stored, std::int64_t read, SettingRange range, Member& member) const
    {
        const std::int64_t used = clampToRange(read, range);
        if (used != read)
            clamped.push_back({key, stored, used});
        member = static_cast<Member>(used);
    }

    void operator()(const char* section, const char* key, bool& member) const
    {
        qlonglong n = 0;
        if (number(section, key, n))
            member = flagFromStored(n);
    }
    void operator()(const char* section, const char* key, std::uint8_t& member, SettingRange range) const
    {
        qlonglong n = 0;
        if (number(section, key, n))
            inRange(key, n, byteFromStored(n), range, member);
    }
    template <class Enum>
    requires std::is_enum_v<Enum>
    void operator()(const char* section, const char* key, Enum& member, SettingRange range) const
    {
        static_assert(std::is_same_v<std::underlying_type_t<Enum>, std::uint8_t>);
        qlonglong n = 0;
        if (number(section, key, n))
            inRange(key, n, byteFromStored(n), range, member);
    }
    void operator()(const char* section, const char* key, std::int32_t& member, SettingRange range) const
    {
        qlonglong n = 0;
        if (number(section, key, n) && n >= INT32_MIN && n <= INT32_MAX)
            inRange(key, n, n, range, member);
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
    void operator()(const char* section, const char* key, std::uint8_t member, SettingRange) const
    {
        store.setValue(keyOf(section, key), static_cast<int>(member));
    }
    template <class Enum>
    requires std::is_enum_v<Enum>
    void operator()(const char* section, const char* key, Enum member, SettingRange) const
    {
        store.setValue(keyOf(section, key), static_cast<int>(member));
    }
    void operator()(const char* section, const char* key, std::int32_t member, SettingRange) const
    {
        store.setValue(keyOf(section, key), member);
    }
    void operator()(const char* section, const char* key, const std::string& member) const
    {
        store.setValue(keyOf(section, key), QString::fromStdString(member));
    }
};

} // namespace

SettingsLoad loadSettings(Settings& settings)
{
    if (auto unusable = unusableStore())
        return {std::move(unusable), {}};
    QTemporaryFile copy;
    const auto store = openStoreToRead(copy);
    SettingsLoad load;
    forEachSetting(settings, Reader{*store, load.clamped});
    return load;
}

void saveSettings(const Settings& settings)
{
    if (unusableStore())
        return;
    const auto store = openStore();
    forEachSetting(settings, Writer{*store});
    store->sync();
}

} // namespace quom
