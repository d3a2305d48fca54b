#include "core/project/RecoveryWriter.h"

#include "core/io/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <utility>

namespace quom {

RecoveryWriter::RecoveryWriter(std::string path)
    : path_(std::move(path))
    , thread_(&RecoveryWriter::run, this)
{
}

RecoveryWriter::~RecoveryWriter()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void RecoveryWriter::write(std::vector<std::uint8_t> bytes)
{
    request(Request::Write, std::move(bytes));
}

void RecoveryWriter::remove()
{
    request(Request::Remove, {});
}

void RecoveryWriter::request(Request request, std::vector<std::uint8_t> bytes)
{
    {
        std::lock_guard lock(mutex_);
        request_ = request;
        bytes_ = std::move(bytes);
    }
    wake_.notify_one();
}

std::optional<std::string> RecoveryWriter::takeFailure()
{
    std::lock_guard lock(mutex_);
    return std::exchange(failure_, std::nullopt);
}

void RecoveryWriter::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || request_ != Request::None; });
        if (request_ == Request::None)
            return; // stopping, with nothing left to do
        const Request request = std::exchange(request_, Request::None);
        std::vector<std::uint8_t> bytes = std::exchange(bytes_, {});
        lock.unlock();
        std::optional<std::string> failed;
        if (request == Request::Write) {
            if (WriteResult written = writeFileAtomically(path_, bytes); !written)
                failed = std::move(written.error);
        } else if (::unlink(path_.c_str()) != 0 && errno != ENOENT) {
            failed = path_ + ": " + std::strerror(errno);
        }
        lock.lock();
        if (failed)
            failure_ = std::move(failed);
    }
}

} // namespace quom
