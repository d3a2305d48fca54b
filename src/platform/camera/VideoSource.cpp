#include "platform/camera/VideoSource.h"

#include "platform/pictures/Picture.h"

#include <QCamera>
#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

#include <chrono>

namespace quom {

namespace {

// A camera that is not active by then gives way to the next.
constexpr std::chrono::seconds kActivationTime{3};

} // namespace

// What one start() plays. Members go in reverse order, so the camera or the player stops
// feeding the sink before the sink goes.
struct VideoSource::Device {
    QVideoSink sink;
    QMediaCaptureSession capture;
    QList<QCameraDevice> cameras;
    int cameraIndex = -1;
    std::unique_ptr<QCamera> camera;
    std::unique_ptr<QMediaPlayer> player;
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
    // Queued, whichever thread the sink reports on; the generation drops frames that were
    // on their way when stop() came.
    const std::uint64_t generation = generation_;
    connect(
        &device_->sink, &QVideoSink::videoFrameChanged, this,
        [this, generation](const QVideoFrame& videoFrame) {
            if (generation != generation_)
                return;
            if (const auto cells = importQImage(videoFrame.toImage()))
                emit frame(*cells);
        },
        Qt::QueuedConnection);

    if (path_.isEmpty()) {
        device_->cameras = QMediaDevices::videoInputs();
        device_->capture.setVideoSink(&device_->sink);
        tryCamera(firstCamera_);
        return;
    }
    device_->player = std::make_unique<QMediaPlayer>();
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
    if (index < 0 || index >= device.cameras.size())
        return;
    device.cameraIndex = index;
    device.camera = std::make_unique<QCamera>(device.cameras[index]);

    // Queued: a camera is not destroyed inside its own signal.
    const std::uint64_t generation = generation_;
    auto giveWay = [this, generation, index](bool unlessActive) {
        if (generation != generation_ || device_->cameraIndex != index)
            return;
        if (!unlessActive || !device_->camera->isActive())
            tryCamera(index + 1);
    };
    connect(
        device.camera.get(), &QCamera::errorOccurred, this, [giveWay] { giveWay(false); },
        Qt::QueuedConnection);
    QTimer::singleShot(kActivationTime, this, [giveWay] { giveWay(true); });
    device.capture.setCamera(device.camera.get());
    device.camera->start();
}

} // namespace quom
