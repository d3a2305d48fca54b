#pragma once

#include "core/io/ReadResult.h"

#include <QString>

#include <string>
#include <vector>

// What the windows' file commands share: the fixed texts of their failures, and paths
// between Qt's strings and the core's UTF-8 ones.
namespace quom {

inline const QString kUnableToLoad = QStringLiteral("Error: unable to load the file:\n %1");
inline const QString kUnableToSave = QStringLiteral("Error: unable to save the file:\n %1");
inline const QString kUnreadableSample = QStringLiteral("Unable to read the file:\n %1");

// The file windows' filter for samples: every type a sample loads from, then waves alone.
QString sampleFileFilter();

// The samples a load could not read, each with its reason, as one message: the fixed
// text with "path: reason" for one, a list for several; empty for none.
QString unreadableSamplesText(const std::vector<ReadError>& failures);

inline std::string utf8(const QString& s)
{
    return s.toStdString();
}

inline QString fromUtf8(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace quom
