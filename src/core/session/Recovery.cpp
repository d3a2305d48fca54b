#include "core/session/Recovery.h"

#include "core/session/Session.h"

#include <filesystem>
#include <utility>

namespace quom {

std::string recoveryPathIn(const std::string& applicationFolder)
{
    return applicationFolder + "recovery.qom";
}

Recovery::Recovery(std::string path)
    : path_(path)
    , writer_(std::move(path))
{
}

bool Recovery::found() const
{
    std::error_code error;
    return std::filesystem::exists(path_, error);
}

void Recovery::update(const Session& session)
{
    if (!session.hasUnsavedChanges()) {
        if (copied_)
            discard();
        return;
    }
    std::vector<std::uint8_t> bytes = session.projectBytes();
    if (copied_ == bytes)
        return;
    writer_.write(bytes);
    copied_ = std::move(bytes);
}

void Recovery::discard()
{
    writer_.remove();
    copied_.reset();
}

ReadResult<std::vector<std::string>> Recovery::restore(Session& session)
{
    auto restored = session.restoreProject(path_);
    if (!restored)
        discard();
    return restored;
}

} // namespace quom
