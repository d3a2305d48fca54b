#include "cli/Cli.h"

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

#include <iostream>

int main(int argc, char** argv)
{
    if (argc > 1 && quom::cli::handles(argv[1])) {
        // Image decoding needs Qt's plugins, which need an application object.
        QCoreApplication app(argc, argv);
        return quom::cli::run(quom::cli::Args(argv + 1, argv + argc), std::cout, std::cerr);
    }

    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Quom 1.1"));
    window.resize(900, 900);
    window.show();
    return app.exec();
}
