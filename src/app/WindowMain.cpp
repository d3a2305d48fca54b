#include "app/QuomApp.h"
#include "cli/Cli.h"
#include "core/io/WriteSignals.h"
#include "platform/pictures/FilterLoader.h"
#include "platform/pictures/Picture.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QtGlobal>

#include <cstdlib>
#include <iostream>

// quom-window: the window, and the sub-commands that decode pictures. The quom executable
// hands the command line on to it.
namespace {

constexpr const char* kNoDisplay
    = "quom: no display to open the window on (the sub-commands run without one)\n";

// Without a display Qt's platform plug-in aborts the program; say why in one line instead.
bool displayMayOpen()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool needsDisplay
        = platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland");
    return !needsDisplay || qEnvironmentVariableIsSet("DISPLAY")
        || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

int runSubCommand(int argc, char** argv)
{
    // A sub-command's failure is its own one line: the image readers' warnings would
    // come before it. Should Qt give up all the same, the user reads why.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg)
            std::cerr << "quom: " << message.toStdString() << '\n';
    });
    quom::muteDecoderMessages();
    // The picture readers need Qt's plugins, and the SVG reader fonts for any text, so
    // a GUI application object. A sub-command shows nothing: it never needs a display,
    // whichever platform the environment names for windows.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return quom::cli::run(quom::cli::Args(argv + 1, argv + argc), std::cout, std::cerr,
        {quom::readPictureFile, quom::readFilterFile});
}

} // namespace

int main(int argc, char** argv)
{
    quom::ignoreWriteSignals();
    if (argc > 1 && quom::cli::handles(argv[1]))
        return runSubCommand(argc, argv);

    if (!displayMayOpen()) {
        std::cerr << kNoDisplay;
        return EXIT_FAILURE;
    }
    // A display that is named but cannot be reached is fatal inside Qt's start-up.
    const QtMessageHandler previous
        = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
              if (type == QtFatalMsg) {
                  std::cerr << kNoDisplay;
                  std::_Exit(EXIT_FAILURE);
              }
          });
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    QGuiApplication::setDesktopFileName(QStringLiteral("com.caldenor.Quom"));
    // Resolved now: start-up moves the current folder to the application folder.
    const QString file = argc > 1 ? QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath() : QString();

    quom::CQuomApp quom;
    quom.InitInstance();
    const int status = quom.run(file);
    quom.ExitInstance();
    return status;
}
