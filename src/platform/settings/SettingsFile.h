#pragma once

#include "core/io/Bytes.h"
#include "core/io/ReadResult.h"

#include <QString>

#include <optional>

// QSettings opens its file as it finds it, as soon as it is made: a FIFO there would block
// it for ever, and a device such as /dev/zero would fill memory. Every settings file is
// checked before a QSettings is made for it.
namespace quom {

// Some hundred short lines; anything far larger is not a settings file.
inline constexpr FileKind kSettingsFileKind{"a settings file", std::uint64_t{1} << 20};

// The file a QSettings of organisation and application in the user scope reads, found
// without reading it.
QString userSettingsFileName(const QString& organisation, const QString& application);

// Nothing when QSettings may open fileName: it is missing, or a regular file of a size
// settings can have. Otherwise why not.
std::optional<ReadError> unusableSettingsFile(const QString& fileName);

} // namespace quom
