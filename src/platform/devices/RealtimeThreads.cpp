#include "platform/devices/RealtimeThreads.h"

#include "platform/devices/DeviceLibraries.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <iostream>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace quom {

namespace {

// Near what a real-time JACK server gives its clients' threads, and within what rtkit
// grants by default.
constexpr int kRealtimePriority = 9;
constexpr int kBusTimeoutMs = 1000;
constexpr std::chrono::milliseconds kPollInterval{100};

const QString kRealtimeKitService = QStringLiteral("org.freedesktop.RealtimeKit1");
const QString kRealtimeKitPath = QStringLiteral("/org/freedesktop/RealtimeKit1");

std::optional<qlonglong> realtimeKitProperty(const QDBusConnection& bus, const QString& name)
{
    QDBusMessage get = QDBusMessage::createMethodCall(kRealtimeKitService, kRealtimeKitPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kRealtimeKitService << name;
    const QDBusMessage reply = bus.call(get, QDBus::Block, kBusTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    bool ok = false;
    const qlonglong value = reply.arguments().front().value<QDBusVariant>().variant().toLongLong(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

// rtkit only serves a process whose real-time threads are bounded in CPU time, so that
// one that never blocks cannot take the machine.
void limitRealtimeCpuTime(qlonglong microseconds)
{
    rlimit limit{};
    if (getrlimit(RLIMIT_RTTIME, &limit) != 0 || limit.rlim_max <= static_cast<rlim_t>(microseconds))
        return;
    limit.rlim_cur = limit.rlim_max = static_cast<rlim_t>(microseconds);
    setrlimit(RLIMIT_RTTIME, &limit);
}

// Children (other programs Quom starts) begin at normal priority again.
std::optional<std::string> setRealtimePolicy(pid_t thread, int priority)
{
    sched_param parameters{};
    parameters.sched_priority = priority;
    if (sched_setscheduler(thread, SCHED_FIFO | SCHED_RESET_ON_FORK, &parameters) == 0)
        return std::nullopt;
    return std::strerror(errno);
}

void report(const char* role, pid_t thread, const std::string& outcome)
{
    if (deviceMessagesWanted())
        std::cerr << "Quom: the " << role << " thread " << thread << ' ' << outcome << '\n';
}

} // namespace

pid_t currentThreadId() noexcept
{
    return static_cast<pid_t>(syscall(SYS_gettid));
}

bool isRealtime(pid_t thread)
{
    const int policy = sched_getscheduler(thread);
    return policy >= 0
        && ((policy & ~SCHED_RESET_ON_FORK) == SCHED_FIFO || (policy & ~SCHED_RESET_ON_FORK) == SCHED_RR);
}

std::optional<std::string> askRealtimeKit(const QDBusConnection& bus, pid_t thread, int priority)
{
    if (!bus.isConnected())
        return "no system bus: " + bus.lastError().message().toStdString();
    if (const auto highest = realtimeKitProperty(bus, QStringLiteral("MaxRealtimePriority")))
        priority = static_cast<int>(std::min<qlonglong>(priority, *highest));
    if (const auto cpuTime = realtimeKitProperty(bus, QStringLiteral("RTTimeUSecMax")))
        limitRealtimeCpuTime(*cpuTime);
    QDBusMessage call = QDBusMessage::createMethodCall(
        kRealtimeKitService, kRealtimeKitPath, kRealtimeKitService, QStringLiteral("MakeThreadRealtime"));
    call << QVariant::fromValue(static_cast<qulonglong>(thread))
         << QVariant::fromValue(static_cast<uint>(priority));
    const QDBusMessage reply = bus.call(call, QDBus::Block, kBusTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage)
        return "rtkit: " + reply.errorMessage().toStdString();
    return std::nullopt;
}

void makeThreadRealtime(pid_t thread, const char* role)
{
    if (isRealtime(thread)) {
        report(role, thread, "already runs real-time");
        return;
    }
    const auto refused = setRealtimePolicy(thread, kRealtimePriority);
    if (!refused) {
        report(role, thread, "runs real-time");
        return;
    }
    const auto kitRefused = askRealtimeKit(QDBusConnection::systemBus(), thread, kRealtimePriority);
    report(role, thread,
        kitRefused ? "stays at normal priority: " + *refused + "; " + *kitRefused
                   : "runs real-time through rtkit");
}

RealtimeRequest::RealtimeRequest(const char* role)
    : role_(role)
{
    timer_.setInterval(kPollInterval);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { askWhenNoted(); });
    timer_.start();
}

void RealtimeRequest::askWhenNoted()
{
    const pid_t thread = thread_.load(std::memory_order_relaxed);
    if (thread == 0)
        return;
    timer_.stop();
    makeThreadRealtime(thread, role_);
}

} // namespace quom
