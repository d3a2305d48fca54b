#pragma once

#include "core/io/FileLock.h"
#include "core/io/ReadResult.h"
#include "core/project/RecoveryWriter.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

// A copy of the work that is not saved, so that a crash or a kill loses at most what
// changed since the last copy. The copy is the project file Save would write; it is
// written on a thread of its own from bytes handed over, never from the model.
//
// Each running Quom keeps its own copy in the application folder,
// recovery-<process>-<start>.qom, beside recovery-<process>-<start>.lock, which it
// holds locked while it runs. A copy whose lock nobody holds (or that has none, as
// recovery.qom from before copies had owners) was left by a Quom that ended without
// saving; a copy whose Quom runs is never offered or removed by another.
// Window thread only.
namespace quom {

class Project;

class Recovery {
public:
    // applicationFolder ends with a '/'.
    explicit Recovery(const std::string& applicationFolder);

    // This run's copy.
    const std::string& path() const noexcept { return path_; }

    // At start: claims the newest copy that a Quom now gone left and this run has not
    // claimed before, so that no other start offers it meanwhile. False when none is left.
    bool claimLeftCopy();
    // The claimed copy; empty when none is claimed.
    std::string leftPath() const { return left_ ? left_->path : std::string(); }
    // The claimed copy is not wanted: it goes.
    void discardLeft();
    // The claimed copy becomes the project, still unsaved, and becomes this run's copy,
    // written again by the next update. A copy that cannot be read is removed.
    ReadResult<std::vector<ReadError>> restoreLeft(Project& project);

    // Now and then: copies the project when it has unsaved changes that the copy does
    // not hold yet (or the copy went), and removes the copy once there are none.
    void update(const Project& project);
    // The work is saved, or not wanted: the copy goes.
    void discard();
    // The last write or removal of the copy that failed, naming the path, once.
    std::optional<std::string> takeFailure() { return writer_.takeFailure(); }

private:
    struct Claim {
        std::string path;
        FileLock lock;
    };

    void removeLocksLeftAlone() const;

    const std::string folder_;
    const std::string stem_; // the copy's path without ".qom"
    const std::string path_;
    // Before the writer, so that the lock goes only once the last copy is written.
    std::optional<FileLock> lock_;
    std::optional<Claim> left_;
    std::set<std::string> claimed_;
    // The bytes last handed to the writer; none when the copy is, or will be, gone.
    std::optional<std::vector<std::uint8_t>> copied_;
    RecoveryWriter writer_; // last: its thread ends before the rest goes
};

} // namespace quom
