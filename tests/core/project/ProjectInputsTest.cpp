#include "core/files/PatternFile.h"
#include "core/files/ProjectFile.h"
#include "core/io/XmlReader.h"
#include "core/project/Project.h"
#include "support/TempDir.h"
#include "support/TestGrids.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace quom;

// A FIFO without a writer would block a read for ever, /dev/zero never ends, and a
// sparse file one byte past its kind's limit would be read whole: each is refused before
// anything is read, through every way the project reads a file.
TEST(ProjectInputs, FifosDevicesFoldersAndOversizedFilesAreRefusedUnread)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir.file("zero"));
    const std::vector<std::string> notRegular{dir.file("fifo"), dir.file("zero"), "/dev/zero", dir.path()};

    struct Reader {
        const char* what;
        FileKind kind;
        std::function<ReadStatus(Project&, const std::string&)> read;
    };
    const auto status = [](const auto& result) -> ReadStatus {
        if (!result)
            return result.error();
        return std::monostate{};
    };
    const std::vector<Reader> readers{
        {"project", kProjectFileKind,
            [&](Project& p, const std::string& path) { return status(p.loadProject(path)); }},
        {"recovery copy", kProjectFileKind,
            [&](Project& p, const std::string& path) { return status(p.restoreProject(path)); }},
        {"pattern", kPatternFileKind,
            [&](Project& p, const std::string& path) { return status(p.loadPattern(path)); }},
        {"kit", kKitFileKind,
            [](Project& p, const std::string& path) -> ReadStatus {
                const auto loaded = p.loadKit(path);
                if (!loaded.opened)
                    return loaded.kitError;
                return std::monostate{};
            }},
    };
    for (const Reader& reader : readers) {
        const std::string huge = dir.file(std::string("huge ") + reader.what);
        dir.write(std::string("huge ") + reader.what, std::string("QUOM"));
        ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(reader.kind.largest + 1)), 0);

        Project project;
        project.replaceCells(distinctGrid());
        const auto kit = project.kit();
        for (const std::string& path : notRegular) {
            const ReadStatus read = reader.read(project, path);
            ASSERT_FALSE(read) << reader.what << " " << path;
            EXPECT_EQ(read.error().message(), path + " is not a regular file") << reader.what;
        }
        const ReadStatus read = reader.read(project, huge);
        ASSERT_FALSE(read) << reader.what;
        EXPECT_EQ(read.error().message(), huge + " is too large to be " + std::string(reader.kind.name));
        EXPECT_EQ(project.model().current().snapshot(), distinctGrid()) << reader.what;
        EXPECT_EQ(project.kit(), kit) << reader.what;
    }
}

} // namespace
