#include "app/QuomApp.h"

#include "app/SettingsStore.h"
#include "audio/CpuLoad.h"
#include "pattern/QuomDlg.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cassert>

namespace quom {

namespace {

CQuomApp* instance = nullptr;

} // namespace

CQuomApp& theApp()
{
    assert(instance);
    return *instance;
}

CQuomApp::CQuomApp()
{
    assert(!instance);
    instance = this;
}

CQuomApp::~CQuomApp()
{
    stream_.reset();
    instance = nullptr;
}

void CQuomApp::InitInstance()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Caldenor"));
    QCoreApplication::setApplicationName(QStringLiteral("Quom"));

    const std::string applicationFolder = ChooseApplicationFolder(QCoreApplication::applicationDirPath());
    stream_ = std::make_unique<AudioStream>();

    settings_ = Settings{};
    settings_.audioDevice = stream_->DefaultOutputDeviceName();

    folders_ = BuildFolders(applicationFolder);
    for (const auto& message : CreateFolders(folders_))
        QMessageBox::warning(nullptr, QStringLiteral("Quom"), QString::fromStdString(message));
    QDir::setCurrent(QString::fromStdString(applicationFolder));

    LoadSettings(settings_);

    engine_.setPlaying(false);
    engine_.setOfflineRender(false);
    engine_.setInterpolation(settings_.interpolation);

    stream_->Open(stream_->FindOutputDevice(settings_.audioDevice), settings_.bufferSize,
        settings_.numberOfBuffers, *this);
}

int CQuomApp::Run(const QString& file)
{
    CQuomDlg window(*this);
    window.show();
    if (!file.isEmpty())
        QTimer::singleShot(0, &window, [&window, file] { window.openDroppedFile(file); });
    const int status = QApplication::exec();
    // The audio thread reads the window's pattern: stop it before the window goes.
    if (stream_)
        stream_->Close();
    return status;
}

void CQuomApp::ExitInstance()
{
    stream_.reset();
    recorder_.Stop();
    SaveSettings(settings_);
}

bool CQuomApp::ToggleRecording()
{
    if (recorder_.recording()) {
        recorder_.Stop();
        return false;
    }
    return recorder_.Start(NextRecordingPath(folders_.outputFolder));
}

std::vector<std::string> CQuomApp::OutputDeviceNames() const
{
    return stream_ ? stream_->OutputDeviceNames() : std::vector<std::string>{};
}

void CQuomApp::ShowCpuLoad(QWidget& window) const
{
    window.setWindowTitle(QString::fromStdString(CpuLoadTitle(stream_ ? stream_->CpuLoad() : 0.0)));
}

void CQuomApp::Render(float* interleavedStereo, unsigned long frames) noexcept
{
    if (engine_.offlineRender())
        std::fill(interleavedStereo, interleavedStereo + 2 * frames, 0.0f);
    else
        engine_.Render(static_cast<std::uint32_t>(frames), interleavedStereo);
    recorder_.Capture(interleavedStereo, frames);
}

} // namespace quom
