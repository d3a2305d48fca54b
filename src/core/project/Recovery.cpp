#include "core/project/Recovery.h"

#include "core/project/Project.h"

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

void Recovery::update(const Project& project)
{
    if (!project.hasUnsavedChanges()) {
        if (copied_)
            discard();
        return;
    }
    std::vector<std::uint8_t> bytes = project.projectBytes();
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

ReadResult<std::vector<ReadError>> Recovery::restore(Project& project)
{
    auto restored = project.restoreProject(path_);
    if (!restored)
        discard();
    return restored;
}

} // namespace quom
