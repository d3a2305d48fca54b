#pragma once

#include <QString>

#include <string>

// What the windows' file commands share: the fixed texts of their failures, and paths
// between Qt's strings and the core's UTF-8 ones.
namespace quom {

inline const QString kUnableToLoad = QStringLiteral("Error: unable to load the file:\n %1");
inline const QString kUnableToSave = QStringLiteral("Error: unable to save the file:\n %1");
inline const QString kUnreadableSample = QStringLiteral("Unable to read the file:\n %1");

inline std::string utf8(const QString& s)
{
    return s.toStdString();
}

inline QString fromUtf8(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace quom
