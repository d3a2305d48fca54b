#include "support/RunQuom.h"

#include <QProcess>
#include <QStringList>

QuomRun runQuom(const std::vector<std::string>& args)
{
    QStringList arguments;
    for (const auto& a : args)
        arguments << QString::fromStdString(a);

    QProcess process;
    process.start(QStringLiteral(QUOM_BINARY), arguments);
    process.waitForFinished(120000);

    QuomRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}
