#include "support/RunQuom.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <csignal>
#include <sys/resource.h>

QuomRun runQuom(const std::vector<std::string>& args, const std::vector<std::string>& unset,
    std::optional<std::uint64_t> fileSizeLimit)
{
    QStringList arguments;
    for (const auto& a : args)
        arguments << QString::fromStdString(a);

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& name : unset)
        environment.remove(QString::fromStdString(name));
    process.setProcessEnvironment(environment);
    if (fileSizeLimit) {
        // Runs in the child between fork and exec.
        process.setChildProcessModifier([bytes = static_cast<rlim_t>(*fileSizeLimit)] {
            std::signal(SIGXFSZ, SIG_DFL);
            const rlimit limit{bytes, bytes};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    process.start(QStringLiteral(QUOM_BINARY), arguments);
    process.waitForFinished(120000);

    QuomRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}
