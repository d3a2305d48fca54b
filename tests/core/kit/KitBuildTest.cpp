#include "core/kit/KitBuild.h"
#include "support/TempDir.h"
#include "support/WaveBytes.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace quom;
void writeWave(const TempDir& dir, const std::string& name, std::size_t frames = 4)
{
    dir.write(name, wavebytes::mono16(std::vector<std::int16_t>(frames, 1000)));
}

// Steps the build to its end, keeping the phase and the file after each step.
std::vector<std::pair<KitBuild::Phase, std::string>> finish(KitBuild& build)
{
    std::vector<std::pair<KitBuild::Phase, std::string>> steps;
    bool more = true;
    while (more) {
        more = build.step();
        steps.emplace_back(build.phase(), build.current());
    }
    return steps;
}

TEST(KitBuild, FolderLooksAtOneFileAStepAndBuildsOnAClearedCopyOfTheKit)
{
    TempDir dir;
    writeWave(dir, "b.wav", 7);
    writeWave(dir, "a.wav", 5);
    dir.write("c.wav", wavebytes::riffWave({wavebytes::fmtChunk(1, 12)})); // fails the wave check
    CKit kit;
    kit.slot(5).name = "old.wav";
    kit.slot(5).data = std::vector<float>{0.5f};
    kit.slot(5).minKey = 12;

    KitBuild build = KitBuild::fromFolder(kit, dir.path(), FileRate::AsIf44100);
    EXPECT_EQ(build.phase(), KitBuild::Phase::Searching);
    using P = KitBuild::Phase;
    const std::vector<std::pair<P, std::string>> expected{{P::Searching, dir.path()},
        {P::Searching, dir.file("a.wav")}, {P::Searching, dir.file("b.wav")}, {P::Loading, dir.file("c.wav")},
        {P::Loading, dir.file("a.wav")}, {P::Done, dir.file("b.wav")}};
    EXPECT_EQ(finish(build), expected);
    EXPECT_EQ(build.outcome(), KitBuild::Outcome::Built);
    EXPECT_EQ(build.kit().slot(0).name, dir.file("a.wav"));
    EXPECT_EQ(build.kit().slot(1).length(), 7u);
    EXPECT_TRUE(build.kit().slot(2).isEmpty()) << "the file that fails the check is skipped";
    EXPECT_TRUE(build.kit().slot(5).isEmpty());
    EXPECT_EQ(build.kit().slot(5).minKey, 12) << "cleared as a slot is cleared";
    EXPECT_EQ(kit.slot(5).name, "old.wav") << "the kit it started from is untouched";
    EXPECT_FALSE(build.step());
}

TEST(KitBuild, AFolderOfLinksToOneFileDecodesItOnce)
{
    TempDir dir;
    writeWave(dir, "a.wav", 5);
    for (int i = 0; i < kKitSlots; ++i)
        std::filesystem::create_symlink("a.wav", dir.file("link" + std::to_string(100 + i) + ".wav"));

    KitBuild build = KitBuild::fromFolder(CKit(), dir.path(), FileRate::AsIf44100);
    finish(build);
    ASSERT_EQ(build.outcome(), KitBuild::Outcome::Built);
    EXPECT_EQ(build.kit().slot(0).length(), 5u);
    for (int s = 1; s < kKitSlots; ++s) {
        EXPECT_TRUE(build.kit().slot(s).data.shares(build.kit().slot(0).data))
            << "decoded again for slot " << s;
        EXPECT_EQ(build.kit().slot(s).name, dir.file("link" + std::to_string(99 + s) + ".wav"));
    }
}

} // namespace
