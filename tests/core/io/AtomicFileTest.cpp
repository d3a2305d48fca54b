#include "core/io/AtomicFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using quom::writeFileAtomically;

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

TEST(AtomicFile, ALinkStaysAndItsTargetIsReplacedOrCreated)
{
    TempDir dir;
    fs::create_directory(dir.file("real"));
    dir.write("real/song.qom", std::string("old"));
    fs::create_symlink("real/song.qom", dir.file("link.qom"));
    fs::create_symlink(dir.file("link.qom"), dir.file("chain.qom"));
    fs::create_symlink("real/new.qom", dir.file("dangling.qom"));

    ASSERT_TRUE(writeFileAtomically(dir.file("chain.qom"), bytesOf("new")));
    ASSERT_TRUE(writeFileAtomically(dir.file("dangling.qom"), bytesOf("created")));
    EXPECT_EQ(dir.read("real/song.qom"), bytesOf("new"));
    EXPECT_EQ(dir.read("real/new.qom"), bytesOf("created"));
    for (const char* link : {"chain.qom", "link.qom", "dangling.qom"})
        EXPECT_TRUE(fs::is_symlink(dir.file(link))) << link;
    EXPECT_EQ(dir.entries().size(), 4u) << "no temporary file left behind";
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("real")), {}), 2);
}

TEST(AtomicFile, AFifoIsWrittenNotReplaced)
{
    TempDir dir;
    const std::string fifo = dir.file("out.wav");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    // Nobody reads it yet: refused at once rather than waiting for a reader.
    const auto unread = writeFileAtomically(fifo, bytesOf("lost"));
    EXPECT_FALSE(unread);
    EXPECT_NE(unread.error.find(fifo), std::string::npos);

    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(writeFileAtomically(fifo, bytesOf("sound")));
    char received[16]{};
    EXPECT_EQ(::read(reader, received, sizeof received), 5);
    ::close(reader);
    EXPECT_EQ(std::string(received), "sound");
    EXPECT_EQ(fs::symlink_status(fifo).type(), fs::file_type::fifo);
    EXPECT_EQ(dir.entries().size(), 1u);
}

struct stat statusOf(const std::string& path)
{
    struct stat status { };
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status;
}

TEST(AtomicFile, AReplacedFileKeepsItsModeAndOwnerAndItsOtherLinksTheOldContent)
{
    TempDir dir;
    dir.write("private.qom", std::string("old"));
    dir.write("script.kit", std::string("old"));
    ::chmod(dir.file("private.qom").c_str(), 0600);
    ::chmod(dir.file("script.kit").c_str(), 0755);
    fs::create_symlink("script.kit", dir.file("link.kit"));
    fs::create_hard_link(dir.file("private.qom"), dir.file("other-name.qom"));
    // Only root can hand a file to someone else; the owner must survive the save.
    const bool canGiveAway = ::geteuid() == 0;
    if (canGiveAway) {
        ASSERT_EQ(::chown(dir.file("script.kit").c_str(), 65534, 65534), 0);
    }

    ASSERT_TRUE(writeFileAtomically(dir.file("private.qom"), bytesOf("new")));
    ASSERT_TRUE(writeFileAtomically(dir.file("link.kit"), bytesOf("new")));
    EXPECT_EQ(statusOf(dir.file("private.qom")).st_mode & 07777, 0600u);
    EXPECT_EQ(statusOf(dir.file("script.kit")).st_mode & 07777, 0755u);
    if (canGiveAway) {
        EXPECT_EQ(statusOf(dir.file("script.kit")).st_uid, 65534u);
        EXPECT_EQ(statusOf(dir.file("script.kit")).st_gid, 65534u);
    }
    EXPECT_EQ(dir.read("private.qom"), bytesOf("new"));
    EXPECT_EQ(dir.read("other-name.qom"), bytesOf("old")) << "replaced, not written in place";

    // A new file takes the umask as before.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    ASSERT_TRUE(writeFileAtomically(dir.file("new.qom"), bytesOf("new")));
    EXPECT_EQ(statusOf(dir.file("new.qom")).st_mode & 07777, 0666u & ~mask);
}

TEST(AtomicFile, NamesAtTheLengthLimitAreWrittenAndReplaced)
{
    // Two-byte characters at either parity, so that one cut for the temporary name
    // falls inside a character.
    std::vector<std::string> names{std::string(NAME_MAX - 4, 'a') + ".kit", "", "x"};
    for (std::size_t i = 1; i < names.size(); ++i) {
        while (names[i].size() + 2 + 4 <= NAME_MAX)
            names[i] += "\u00e9";
        names[i] += ".kit";
    }
    TempDir dir;
    for (const std::string& name : names) {
        ASSERT_TRUE(writeFileAtomically(dir.file(name), bytesOf("first"))) << name;
        ASSERT_TRUE(writeFileAtomically(dir.file(name), bytesOf("second"))) << name;
        EXPECT_EQ(dir.read(name), bytesOf("second"));

        const fs::path temporary = quom::temporaryNameBeside(dir.file(name));
        EXPECT_EQ(temporary.parent_path(), fs::path(dir.path()));
        const std::string kept = temporary.filename().string();
        EXPECT_LE(kept.size(), std::size_t{NAME_MAX});
        const std::size_t cut = kept.rfind(".~");
        ASSERT_LT(cut, name.size());
        EXPECT_EQ(kept.substr(0, cut), name.substr(0, cut)) << "the name is shortened, not changed";
        EXPECT_NE(static_cast<unsigned char>(name[cut]) & 0xC0, 0x80) << "cut between characters";
    }
    EXPECT_EQ(dir.entries().size(), names.size()) << "no temporary file left behind";
}

} // namespace
