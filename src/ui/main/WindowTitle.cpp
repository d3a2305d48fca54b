#include "ui/main/WindowTitle.h"

#include "core/audio/CpuLoad.h"
#include "ui/controls/FileTexts.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace quom {

QString mainWindowTitle(double cpuLoad, const std::string& projectPath, bool unsaved)
{
    const QString name = projectPath.empty() ? QCoreApplication::translate("CQuomDlg", "untitled")
                                             : QFileInfo(fromUtf8(projectPath)).fileName();
    return QStringLiteral("%1  -  %2%3")
        .arg(fromUtf8(cpuLoadTitle(cpuLoad)), name, unsaved ? QStringLiteral(" *") : QString());
}

} // namespace quom
