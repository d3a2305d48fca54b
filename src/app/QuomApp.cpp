#include "app/QuomApp.h"

#include "core/kit/StarterKit.h"
#include "platform/settings/ApplicationFolder.h"
#include "platform/settings/SettingsStore.h"
#include "ui/main/QuomDlg.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

namespace quom {

CQuomApp::CQuomApp()
    : session_(engine_)
    , output_(engine_)
{
}

CQuomApp::~CQuomApp() = default;

void CQuomApp::InitInstance()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Caldenor"));
    QCoreApplication::setApplicationName(QStringLiteral("Quom"));

    const std::string applicationFolder = chooseApplicationFolder(QCoreApplication::applicationDirPath());
    output_.initialise();

    settings_ = Settings{};
    settings_.audioDevice = output_.defaultOutputDeviceName();

    folders_ = buildFolders(applicationFolder);
    const bool firstStart = !QDir(QString::fromStdString(folders_.kitsFolder)).exists();
    for (const auto& message : createFolders(folders_))
        QMessageBox::warning(nullptr, QStringLiteral("Quom"), QString::fromStdString(message));
    // A first start gets sounds to play. Should they not be written, the default kit
    // fails to load as it would without them, and Quom starts silent.
    if (firstStart)
        writeStarterKit(folders_);
    QDir::setCurrent(QString::fromStdString(applicationFolder));

    loadSettings(settings_);

    engine_.setPlaying(false);
    engine_.setOfflineRender(false);
    engine_.setInterpolation(settings_.interpolation);

    output_.open(settings_.audioDevice, settings_.bufferSize, settings_.numberOfBuffers);
    midi_ = std::make_unique<MidiInput>();
}

int CQuomApp::run(const QString& file)
{
    CQuomDlg window({session_, output_, settings_, folders_, midi_.get()});
    window.show();
    window.openMidiInput();
    if (!file.isEmpty())
        QTimer::singleShot(0, &window, [&window, file] { window.openDroppedFile(file); });
    const int status = QApplication::exec();
    // The audio thread reads the session's pattern: stop it before anything goes.
    output_.close();
    return status;
}

void CQuomApp::ExitInstance()
{
    output_.terminate();
    saveSettings(settings_);
}

} // namespace quom
