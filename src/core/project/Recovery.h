#pragma once

#include "core/io/ReadResult.h"
#include "core/project/RecoveryWriter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A copy of the work that is not saved, so that a crash or a kill loses at most what
// changed since the last copy. The copy is the project file Save would write; it is
// written on a thread of its own from bytes handed over, never from the model.
// Window thread only.
namespace quom {

class Project;

// The copy's place in the application folder (which ends with a '/').
std::string recoveryPathIn(const std::string& applicationFolder);

class Recovery {
public:
    explicit Recovery(std::string path);

    const std::string& path() const noexcept { return path_; }
    // Whether a copy is there now: at start, work that a crash cut short.
    bool found() const;
    // Now and then: copies the project when it has unsaved changes that the copy does
    // not hold yet, and removes the copy once there are none.
    void update(const Project& project);
    // The work is saved, or not wanted: the copy goes.
    void discard();
    // The copy becomes the project, still unsaved, so the next update
    // writes it again. A copy that cannot be read is removed.
    ReadResult<std::vector<ReadError>> restore(Project& project);
    // The last write or removal of the copy that failed, naming the path, once.
    std::optional<std::string> takeFailure() { return writer_.takeFailure(); }

private:
    const std::string path_;
    // The bytes last handed to the writer; none when the copy is, or will be, gone.
    std::optional<std::vector<std::uint8_t>> copied_;
    RecoveryWriter writer_; // last: its thread ends before the rest goes
};

} // namespace quom
