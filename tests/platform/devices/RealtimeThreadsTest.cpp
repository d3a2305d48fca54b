#include "platform/devices/RealtimeThreads.h"

#include <QDBusConnection>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace quom {
namespace {

using testing::HasSubstr;

// A thread that waits until told to end, with its kernel id.
class WaitingThread {
public:
    WaitingThread()
        : thread_([this] {
            id_.set_value(currentThreadId());
            end_.get_future().wait();
        })
    {
    }
    ~WaitingThread()
    {
        end_.set_value();
        thread_.join();
    }
    WaitingThread(const WaitingThread&) = delete;
    WaitingThread& operator=(const WaitingThread&) = delete;

    pid_t id() { return idFuture_.get(); }

private:
    std::promise<pid_t> id_;
    std::shared_future<pid_t> idFuture_ = id_.get_future().share();
    std::promise<void> end_;
    std::thread thread_;
};

TEST(RealtimeThreads, WithoutASystemBusRtkitIsNotAskedAndTheThreadKeepsItsPriority)
{
    const QString name = QStringLiteral("quom-test-no-bus");
    const QDBusConnection noBus
        = QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/quom-no-bus"), name);
    WaitingThread thread;
    const auto refused = askRealtimeKit(noBus, thread.id(), 5);
    ASSERT_TRUE(refused);
    EXPECT_THAT(*refused, HasSubstr("no system bus"));
    EXPECT_FALSE(isRealtime(thread.id()));
    QDBusConnection::disconnectFromBus(name);
}

} // namespace
} // namespace quom
