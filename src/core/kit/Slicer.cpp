#include "core/kit/Slicer.h"

#include "core/io/AtomicFile.h"
#include "core/io/WaveWriter.h"
#include "core/io/WriteAll.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quom {
namespace {

struct FileError {
    std::string path;
    int err = 0;
};

// writeFileAtomically in two phases, for a set of files that must change together:
// stage writes each file complete under a temporary name beside its target, commit
// renames them all into place, and whatever was staged but not committed is removed.
class StagedFiles {
public:
    StagedFiles() = default;
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    std::optional<FileError> stage(const std::string& path, std::span<const std::uint8_t> bytes);
    // Renaming within a folder where the temporaries were just created fails only
    // when the folder changes meanwhile; the files renamed before then stay in place.
    std::optional<FileError> commit();

private:
    struct Staged {
        std::string path;
        std::string temporary;
    };
    std::vector<Staged> staged_;
};

StagedFiles::~StagedFiles()
{
    for (const Staged& s : staged_)
        ::unlink(s.temporary.c_str());
}

std::optional<FileError> StagedFiles::stage(const std::string& path, std::span<const std::uint8_t> bytes)
{
    // A directory of the target's name would refuse only the rename, once earlier
    // targets were already replaced.
    struct stat existing { };
    if (::stat(path.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode))
        return FileError{path, EISDIR};

    staged_.push_back({path, temporaryNameBeside(path)});
    const std::string& temporary = staged_.back().temporary;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int err = errno;
        staged_.pop_back();
        return FileError{path, err};
    }
    const bool written = writeAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !written)
        return FileError{path, written ? errno : writeError};
    return std::nullopt;
}

std::optional<FileError> StagedFiles::commit()
{
    for (std::size_t i = 0; i < staged_.size(); ++i) {
        if (::rename(staged_[i].temporary.c_str(), staged_[i].path.c_str()) != 0) {
            const FileError error{staged_[i].path, errno};
            staged_.erase(staged_.begin(), staged_.begin() + static_cast<std::ptrdiff_t>(i));
            return error;
        }
    }
    staged_.clear();
    return std::nullopt;
}

// A leading dot starts a hidden name, not an extension.
std::string nameWithoutExtension(const std::string& path)
{
    const auto slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot != 0)
        name.resize(dot);
    return name;
}

SliceResult unwritable(const FileError& error)
{
    SliceResult result;
    result.failure = SliceFailure::Unwritable;
    result.failedPath = error.path;
    result.error = error.path + ": " + std::strerror(error.err);
    return result;
}

} // namespace

SliceBounds sliceBounds(std::uint64_t frames, int index) noexcept
{
    const auto i = static_cast<std::uint64_t>(index);
    return {frames * i / kKitSlots, frames * (i + 1) / kKitSlots};
}

SlicePaths slicePaths(const std::string& sourcePath, const std::string& folder)
{
    std::string prefix = folder;
    while (prefix.size() > 1 && prefix.back() == '/')
        prefix.pop_back();
    // An empty folder is the current one; the root already ends in '/'.
    if (!prefix.empty() && prefix != "/")
        prefix += '/';
    prefix += nameWithoutExtension(sourcePath) + "_kit";

    SlicePaths paths;
    for (int i = 0; i < kKitSlots; ++i) {
        char number[3];
        std::snprintf(number, sizeof number, "%02d", i + 1);
        paths[i] = prefix + number + ".wav";
    }
    return paths;
}

SliceResult writeSlices(std::span<const float> source, const std::string& sourcePath,
    const std::string& folder, const SliceProgress& progress)
{
    if (source.size() < kMinSliceSourceFrames) {
        SliceResult result;
        result.failure = SliceFailure::TooShort;
        result.error = sourcePath + ": " + std::to_string(source.size()) + " frames, too short to slice";
        return result;
    }
    const SlicePaths paths = slicePaths(sourcePath, folder);
    StagedFiles staged;
    std::vector<float> slice;
    for (int i = 0; i < kKitSlots; ++i) {
        const auto [begin, end] = sliceBounds(source.size(), i);
        slice.assign(source.begin() + static_cast<std::ptrdiff_t>(begin),
            source.begin() + static_cast<std::ptrdiff_t>(end));
        if (const auto error = staged.stage(paths[i], encodeWave16(slice, 1)))
            return unwritable(*error);
        if (progress)
            progress(paths[i]);
    }
    if (const auto error = staged.commit())
        return unwritable(*error);

    SliceResult result;
    result.paths = paths;
    return result;
}

} // namespace quom
