#include "ui/controls/BackgroundWork.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

namespace {

TEST(BackgroundWork, CancelAsksTheWorkToStopAndWhatItThrowsComesBack)
{
    QWidget window;
    window.show();
    bool finished = false;
    const bool done
        = quom::runInBackground(&window, "Working", [&](const std::atomic<bool>&) { finished = true; });
    EXPECT_TRUE(done);
    EXPECT_TRUE(finished);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the busy window is gone";

    // The work runs on until asked; the busy window blocks the window meanwhile.
    QTimer::singleShot(0, [&] {
        QWidget* busy = QApplication::activeModalWidget();
        ASSERT_NE(busy, nullptr);
        EXPECT_FALSE(busy->close()) << "closing it only asks the work to stop";
    });
    const bool cancelled = !quom::runInBackground(&window, "Working", [](const std::atomic<bool>& stop) {
        while (!stop.load())
            std::this_thread::yield();
    });
    EXPECT_TRUE(cancelled);

    EXPECT_THROW(quom::runInBackground(
                     &window, "Working", [](const std::atomic<bool>&) { throw std::runtime_error("full"); }),
        std::runtime_error);
}

} // namespace
