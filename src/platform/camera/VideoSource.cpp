#include "platform/camera/VideoSource.h"

#include "platform/camera/LatestFrame.h"
#include "platform/pictures/Picture.h"

#include <QCamera>
#include <QCameraDevice>
#include <QFileInfo>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

#include <chrono>
#include <utility>

namespace quom {

namespace {

// A camera that is not active by then gives way to the next.
constexpr std::chrono::seconds kActivationTime{3};

} // namespace

// What one start() plays. Members go in reverse order, so the camera or the player stops
// feeding the sink before the sink goes.
struct VideoSource::Device {
    LatestFrame latest;
    QVideoSink sink;
    QMediaCaptureSession capture;
    QList<QCameraDevice> cameras;
    int cameraIndex = -1;
    // Why the last camera tried gave way, told when no other is left.
    QString cameraFailure;
    std::unique_ptr<QCamera> camera;
    std::unique_ptr<QMediaPlayer> player;
    bool playerFailed = false;
};

VideoSource::VideoSource(QObject* parent)
    : QObject(parent)
{
}

VideoSource::~VideoSource()
{
    stop();
}

QStringList VideoSource::cameraNames()
{
    QStringList names;
    for (const QCameraDevice& camera : QMediaDevices::videoInputs())
        names.push_back(camera.description());
    return names;
}

void VideoSource::setSource(const QString& path, int firstCamera)
{
    path_ = path;
    firstCamera_ = firstCamera;
}

void VideoSource::start()
{
    stop();
    device_ = std::make_unique<Device>();
    // Whichever thread the sink reports on. A frame still waiting when stop() comes goes
    // with the device that holds it.
    connect(&device_->sink, &QVideoSink::videoFrameChanged, &device_->latest, &LatestFrame::offer,
        Qt::DirectConnection);
    connect(&device_->latest, &LatestFrame::ready, this, [this](const QVideoFrame& videoFrame) {
        if (const auto cells = importQImage(videoFrame.toImage()))
            emit frame(*cells);
    });

    if (path_.isEmpty()) {
        device_->cameras = QMediaDevices::videoInputs();
        device_->capture.setVideoSink(&device_->sink);
        tryCamera(firstCamera_);
        return;
    }
    if (!QFileInfo(path_).isFile()) {
        emit failed(tr("Cannot play: the file no longer exists."));
        return;
    }
    device_->player = std::make_unique<QMediaPlayer>();
    // The framework's own words. Its first error names what is missing (a decoder, a
    // format); what follows only says that the stream stopped.
    connect(device_->player.get(), &QMediaPlayer::errorOccurred, this,
        [this](QMediaPlayer::Error, const QString& reason) {
            if (std::exchange(device_->playerFailed, true))
                return;
            emit failed(tr("Cannot play: %1").arg(reason));
        });
    device_->player->setVideoSink(&device_->sink);
    device_->player->setLoops(QMediaPlayer::Infinite);
    device_->player->setSource(QUrl::fromLocalFile(path_));
    device_->player->play();
}

void VideoSource::stop()
{
    ++generation_;
    if (!device_)
        return;
    device_->sink.disconnect();
    // Destroying stops the camera or the player; stopping a player that failed first
    // would wait a second for nothing.
    device_.reset();
}

void VideoSource::tryCamera(int index)
{
    Device& device = *device_;
    device.capture.setCamera(nullptr);
    device.camera.reset();
    device.cameraIndex = -1;
    if (index < 0 || index >= device.cameras.size()) {
        if (!device.cameraFailure.isEmpty())
            emit failed(tr("Cannot use the camera: %1").arg(device.cameraFailure));
        return;
    }
    device.cameraIndex = index;
    device.camera = std::make_unique<QCamera>(device.cameras[index]);

    // Queued: a camera is not destroyed inside its own signal.
    const std::uint64_t generation = generation_;
    auto giveWay = [this, generation, index](bool unlessActive, const QString& reason) {
        if (generation != generation_ || device_->cameraIndex != index)
            return;
        if (unlessActive && device_->camera->isActive())
            return;
        device_->cameraFailure = reason;
        tryCamera(index + 1);
    };
    connect(
        device.camera.get(), &QCamera::errorOccurred, this,
        [giveWay](QCamera::Error, const QString& reason) { giveWay(false, reason); }, Qt::QueuedConnection);
    QTimer::singleShot(kActivationTime, this, [giveWay] { giveWay(true, tr("it did not start.")); });
    device.capture.setCamera(device.camera.get());
    device.camera->start();
}

} // namespace quom
