#include "ui/controls/BackgroundWork.h"

#include <QApplication>
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
    // The work runs on until asked; closing the busy window only asks.
    QTimer::singleShot(0, [&] {
        QWidget* busy = QApplication::activeModalWidget();
        ASSERT_NE(busy, nullptr);
        EXPECT_FALSE(busy->close());
    });
    EXPECT_FALSE(quom::runInBackground(&window, "Working", [](const std::atomic<bool>& stop) {
        while (!stop.load())
            std::this_thread::yield();
    }));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    EXPECT_TRUE(quom::runInBackground(&window, "Working", [](const std::atomic<bool>&) {}));
    EXPECT_THROW(quom::runInBackground(
                     &window, "Working", [](const std::atomic<bool>&) { throw std::runtime_error("full"); }),
        std::runtime_error);
}

} // namespace
