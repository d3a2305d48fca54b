#include "platform/camera/LatestFrame.h"

#include <QCoreApplication>
#include <QVideoFrameFormat>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace quom;

namespace {

QVideoFrame frameOfWidth(int width)
{
    return QVideoFrame(QVideoFrameFormat(QSize(width, 8), QVideoFrameFormat::Format_ARGB8888));
}

// Frames from a decoding thread faster than the window takes them: only the newest waits,
// so a burst costs the window one frame, not a queue of them.
TEST(LatestFrame, KeepsOnlyTheNewestFrameWaitingForTheWindowThread)
{
    LatestFrame latest;
    std::vector<int> widths;
    QObject::connect(
        &latest, &LatestFrame::ready, [&](const QVideoFrame& frame) { widths.push_back(frame.width()); });

    std::thread decoder([&] {
        for (int width = 1; width <= 50; ++width)
            latest.offer(frameOfWidth(width));
    });
    decoder.join();
    QCoreApplication::processEvents();
    EXPECT_EQ(widths, std::vector<int>{50});

    latest.offer(frameOfWidth(7));
    QCoreApplication::processEvents();
    latest.offer(frameOfWidth(9));
    QCoreApplication::processEvents();
    EXPECT_EQ(widths, (std::vector<int>{50, 7, 9})) << "each frame taken in time is shown";
}

} // namespace
