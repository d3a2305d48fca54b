#pragma once

#include <QTimer>

#include <atomic>
#include <optional>
#include <string>
#include <sys/types.h>

class QDBusConnection;

// Real-time scheduling for Quom's audio and MIDI threads, so that a busy window on a
// loaded machine does not make them late. A thread a JACK server already runs real-time
// is left as it is. Otherwise Quom sets the policy itself where the system allows it
// (root, or a real-time limit, RLIMIT_RTPRIO), and asks rtkit on the system bus where it
// does not. Every failure leaves the thread as it was and plays on; only with
// QUOM_DEVICE_MESSAGES set does a line on stderr say what became of each thread.
namespace quom {

// The kernel's id of the calling thread. A system call that neither allocates nor
// locks: the audio callback may make it.
pid_t currentThreadId() noexcept;

// Whether thread (of this process) runs under a real-time policy.
bool isRealtime(pid_t thread);

// Asks rtkit on bus to make thread real-time at priority, or at rtkit's highest if
// that is lower. Nothing when it did; otherwise why not (no bus, no rtkit, refused).
// Window thread: waits for rtkit's answer, at most a second.
std::optional<std::string> askRealtimeKit(const QDBusConnection& bus, pid_t thread, int priority);

// Makes thread real-time by the first way that works, on the system bus for rtkit; role
// names the thread in the device messages ("audio", "MIDI"). Window thread.
void makeThreadRealtime(pid_t thread, const char* role);

// Carries a device thread's id to the window thread, which makes it real-time: the
// device thread notes itself, wait-free, and a timer on the window thread picks it up.
class RealtimeRequest {
public:
    // Window thread; polls until a thread is noted, then asks once.
    explicit RealtimeRequest(const char* role);
    RealtimeRequest(const RealtimeRequest&) = delete;
    RealtimeRequest& operator=(const RealtimeRequest&) = delete;

    // Device thread, every callback: only the first call costs a system call.
    void noteThread() noexcept
    {
        if (thread_.load(std::memory_order_relaxed) == 0)
            thread_.store(currentThreadId(), std::memory_order_relaxed);
    }

private:
    void askWhenNoted();

    const char* role_;
    std::atomic<pid_t> thread_{0};
    QTimer timer_;
};

} // namespace quom
