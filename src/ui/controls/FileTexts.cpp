#include "ui/controls/FileTexts.h"

#include "core/io/SampleFile.h"

#include <QCoreApplication>
#include <QStringList>

namespace quom {

namespace {

// A kit whose folder moved fails in every slot: the message stays smaller than a screen.
constexpr std::size_t kMostListed = 12;

} // namespace

QString sampleFileFilter()
{
    QStringList patterns;
    for (const std::string_view extension : kSampleFileExtensions)
        patterns << QStringLiteral("*.")
                + QString::fromLatin1(extension.data(), static_cast<qsizetype>(extension.size()));
    return QCoreApplication::translate("FileTexts", "Sound files (%1);;Wave files (*.wav);;All files (*)")
        .arg(patterns.join(u' '));
}

QString unreadableSamplesText(const std::vector<ReadError>& failures)
{
    if (failures.empty())
        return {};
    if (failures.size() == 1)
        return kUnreadableSample.arg(fromUtf8(failures.front().message()));
    QStringList lines{QCoreApplication::translate(
        "FileTexts", "Unable to read %n files:", nullptr, static_cast<int>(failures.size()))};
    for (std::size_t i = 0; i < failures.size() && i < kMostListed; ++i)
        lines << QStringLiteral(" ") + fromUtf8(failures[i].message());
    if (failures.size() > kMostListed)
        lines << QCoreApplication::translate(
            "FileTexts", " ... and %n more.", nullptr, static_cast<int>(failures.size() - kMostListed));
    return lines.join(u'\n');
}

} // namespace quom
