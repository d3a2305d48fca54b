#include "app/QuomApp.h"
#include "cli/Cli.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>

#include <iostream>

int main(int argc, char** argv)
{
    if (argc > 1 && quom::cli::handles(argv[1])) {
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
