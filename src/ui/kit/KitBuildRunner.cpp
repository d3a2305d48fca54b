#include "ui/kit/KitBuildRunner.h"

namespace quom {

KitBuildRunner::KitBuildRunner(Clock clock, QObject* parent)
    : QObject(parent)
    , clock_(std::move(clock))
{
    // A zero timer fires once the pending events have been handled.
    slices_.setInterval(0);
    connect(&slices_, &QTimer::timeout, this, &KitBuildRunner::runSlice);
}

void KitBuildRunner::start(KitBuild build)
{
    build_ = std::move(build);
    lastProgress_.reset();
    slices_.start();
}

void KitBuildRunner::cancel()
{
    slices_.stop();
    build_.reset();
}

void KitBuildRunner::runSlice()
{
    const auto start = clock_();
    bool more = true;
    auto now = start;
    while (more && now - start < kSlice) {
        more = build_->step();
        now = clock_();
    }
    if (!more) {
        slices_.stop();
        emit finished();
        return;
    }
    if (!lastProgress_ || now - *lastProgress_ >= kProgressEvery) {
        lastProgress_ = now;
        emit progressed();
    }
}

} // namespace quom
