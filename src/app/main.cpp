#include "app/QuomApp.h"
#include "cli/Cli.h"
#include "platform/pictures/Picture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QtGlobal>

#include <csignal>
#include <iostream>

int main(int argc, char** argv)
{
    // A FIFO whose reader went away is a failed write to report, not a reason to die.
    std::signal(SIGPIPE, SIG_IGN);
    if (argc > 1 && quom::cli::handles(argv[1])) {
        // A sub-command's failure is its own one line: the image readers' warnings would
        // come before it.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        quom::muteDecoderMessages();
        // Image decoding needs Qt's plugins, which need an application object.
        QCoreApplication app(argc, argv);
        return quom::cli::run(quom::cli::Args(argv + 1, argv + argc), std::cout, std::cerr);
    }

    QApplication app(argc, argv);
    // Resolved now: start-up moves the current folder to the application folder.
    const QString file = argc > 1 ? QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath() : QString();

    quom::CQuomApp quom;
    quom.InitInstance();
    const int status = quom.run(file);
    quom.ExitInstance();
    return status;
}
