#pragma once

#include "core/generators/CameraBlend.h"
#include "platform/camera/VideoSource.h"
#include "ui/controls/PatternToolDlg.h"

#include <QImage>
#include <QPoint>

#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;

// "Video": a camera, or a video file played as one, paints the pattern while it plays.
// Every frame, shrunk to 64 x 64, shows in the preview and is blended into the pattern
// as it was when the window opened, in the cells the mode lets it change and as strongly
// per channel as the sliders say. Ok keeps the mode and the amounts for the next time;
// the source chosen is kept in the settings at once. A source that cannot play says why
// under the source list and leaves the pattern as it was when the window opened.
namespace quom {

struct Settings;
class UserPrompts;
class VideoSlider;

class VideoDlg : public PatternToolDlg {
    Q_OBJECT

public:
    // Starts the source settings.videoSource names (empty: the first camera).
    VideoDlg(Project& project, CameraSettings& camera, Settings& settings, UserPrompts& prompts,
        QWidget* parent = nullptr);

    // Both stop the source first, so that no later frame changes what they keep or restore.
    void accept() override;
    void reject() override;

    // The top-left pixel of the 64 x 64 preview, in client pixels.
    static constexpr QPoint kPreviewOrigin{170, 10};

public slots:
    // A frame from the source, on the window thread; ignored once the window has closed.
    void takeFrame(const Grid& frame);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void addModeButtons();
    void addSliders();
    void listSources();
    void chooseSource(int index);
    void startSource();
    // Empty when nothing is wrong; either way no frame of the source shows any more.
    void showProblem(const QString& problem);

    CameraSettings& kept_;
    CameraSettings working_;
    Settings& settings_;
    UserPrompts& prompts_;
    VideoSource source_;
    QButtonGroup* modes_ = nullptr;
    std::array<VideoSlider*, 3> sliders_{};
    QComboBox* sources_ = nullptr;
    QLabel* problem_ = nullptr;
    int shownSource_ = 0;
    QImage preview_;
    bool closed_ = false;
};

} // namespace quom
