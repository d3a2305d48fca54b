#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Writes or removes one file on a thread of its own, so that the window thread hands
// over bytes and goes on while the disk syncs. Only the newest request counts: one
// not yet begun is replaced by the next. Every public function is for one thread (the
// window thread); the file is written atomically (writeFileAtomically).
namespace quom {

class RecoveryWriter {
public:
    explicit RecoveryWriter(std::string path);
    // Carries out the request still waiting, then ends the thread.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    void write(std::vector<std::uint8_t> bytes);
    // A file that is already gone is no failure.
    void remove();
    // The last write or removal that failed, naming the path, once.
    std::optional<std::string> takeFailure();

private:
    enum class Request { None, Write, Remove };

    void request(Request request, std::vector<std::uint8_t> bytes);
    void run();

    const std::string path_;
    std::mutex mutex_;
    std::condition_variable wake_;
    Request request_ = Request::None;
    std::vector<std::uint8_t> bytes_;
    std::optional<std::string> failure_;
    bool stopping_ = false;
    std::thread thread_; // last: it starts once everything it uses is built
};

} // namespace quom
