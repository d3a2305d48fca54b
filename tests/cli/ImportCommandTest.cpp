#include "core/files/PatternFile.h"
#include "support/RunQuom.h"
#include "support/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

std::size_t lineCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

struct ImportFixture : ::testing::Test {
    ImportFixture()
    {
        QImage image(32, 16, QImage::Format_RGB32);
        image.fill(Qt::black);
        image.setPixelColor(3, 4, QColor(250, 128, 10));
        image.save(QString::fromStdString(dir.file("in.bmp")), "BMP");
        dir.write("fake.gif", std::string("GIF89a but nothing more"));
    }
    // Files whose decoders print complaints of their own, and a folder.
    void writeDamagedPictures()
    {
        QImage image(32, 16, QImage::Format_RGB32);
        image.fill(QColor(1, 2, 3));
        image.save(QString::fromStdString(dir.file("whole.png")), "PNG");
        const auto png = dir.read("whole.png");
        dir.write("cut.png", std::vector<std::uint8_t>(png.begin(), png.begin() + std::ssize(png) / 2));
        dir.write("broken.jpg", std::string("\xFF\xD8\xFF\xE0 and then nothing of a JPEG"));
        dir.write("broken.tif", std::string("II*\0\x08\0\0\0\0\0", 10));
        QImage(1, 65'537, QImage::Format_RGB32).save(QString::fromStdString(dir.file("long.png")), "PNG");
        std::filesystem::create_directory(dir.file("folder.png"));
    }
    TempDir dir;
};

TEST_F(ImportFixture, WritesThePictureAsAPatternWithItsTempo)
{
    const auto run = runQuom({"import", dir.file("in.bmp"), "-o", dir.file("out.pat"), "--tempo", "140"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto pattern = quom::readPatternFile(dir.file("out.pat"));
    ASSERT_TRUE(pattern);
    EXPECT_EQ(pattern->tempo, 140);
    // Each pixel of the 32 x 16 picture spreads over 2 x 4 cells.
    const quom::Cell note = quom::makeCell(250, 128, 10);
    EXPECT_EQ(pattern->cells[quom::cellIndex(6, 16)], note);
    EXPECT_EQ(pattern->cells[quom::cellIndex(7, 19)], note);
    EXPECT_EQ(pattern->cells[quom::cellIndex(8, 16)], 0u);
    EXPECT_EQ(std::count(pattern->cells.begin(), pattern->cells.end(), note), 8);

    ASSERT_EQ(runQuom({"import", "-o", dir.file("default.pat"), dir.file("in.bmp")}).exitCode, 0);
    EXPECT_EQ(quom::readPatternFile(dir.file("default.pat"))->tempo, 120);
}

TEST_F(ImportFixture, UnreadablePicturesFailWithOneLineAndNoFile)
{
    writeDamagedPictures();
    for (const std::string name :
        {"fake.gif", "missing.jpg", "cut.png", "broken.jpg", "broken.tif", "long.png", "folder.png"}) {
        const auto run = runQuom({"import", dir.file(name), "-o", dir.file("out.pat")});
        EXPECT_EQ(run.exitCode, 1) << name;
        EXPECT_EQ(lineCount(run.err), 1u) << run.err;
        EXPECT_NE(run.err.find(dir.file(name)), std::string::npos) << run.err;
        const bool isAFile = name != "missing.jpg" && name != "folder.png";
        EXPECT_EQ(run.err.find("cannot be read") != std::string::npos, !isAFile) << run.err;
        EXPECT_FALSE(dir.exists("out.pat"));
    }
}

TEST_F(ImportFixture, MalformedCommandsAreUsageErrors)
{
    const std::string in = dir.file("in.bmp"), out = dir.file("out.pat");
    for (const auto& args : std::vector<std::vector<std::string>>{{"import"}, {"import", in},
             {"import", "-o", out}, {"import", in, "-o"}, {"import", in, "-o", out, "--tempo", "0"},
             {"import", in, "-o", out, "--tempo", "351"}, {"import", in, "-o", out, "--tempo", "fast"},
             {"import", in, in, "-o", out}, {"import", in, "-o", out, "--colour"}}) {
        EXPECT_EQ(runQuom(args).exitCode, 2) << args.size();
    }
    EXPECT_FALSE(dir.exists("out.pat"));
}

// Text in an SVG needs fonts, which Qt only has with a GUI application object; the
// sub-commands run without a display, and whatever platform the environment names.
TEST_F(ImportFixture, AnSvgWithTextDecodesInEverySubCommandThatReadsPictures)
{
    dir.write("text.svg",
        std::string(R"(<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64">)"
                    R"(<rect width="64" height="64" fill="#ff0000"/>)"
                    R"(<text x="8" y="40" font-family="sans-serif" font-size="20" fill="#00ff00">Quom</text>)"
                    "</svg>"));
    quom::PatternFileData grey;
    grey.cells.fill(quom::makeCell(100, 100, 100));
    ASSERT_TRUE(quom::writePatternFile(dir.file("grey.pat"), grey));
    const std::string svg = dir.file("text.svg");
    const std::vector<std::string> withoutDisplay{"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"};

    const auto imported = runQuom({"import", svg, "-o", dir.file("import.pat")}, withoutDisplay);
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.err, "");
    const auto pattern = quom::readPatternFile(dir.file("import.pat"));
    ASSERT_TRUE(pattern);
    EXPECT_EQ(pattern->cells[quom::cellIndex(0, 0)], quom::makeCell(255, 0, 0));

    for (const std::string& operation :
        {"filter=" + svg + ",red,100", "camera=" + svg + ",all,100,100,100"}) {
        const auto applied = runQuom(
            {"apply", dir.file("grey.pat"), "-o", dir.file("apply.pat"), operation}, withoutDisplay);
        EXPECT_EQ(applied.exitCode, 0) << operation << ": " << applied.err;
        EXPECT_EQ(applied.err, "") << operation;
        const auto result = quom::readPatternFile(dir.file("apply.pat"));
        ASSERT_TRUE(result) << operation;
        EXPECT_NE(result->cells, grey.cells) << operation;
        std::filesystem::remove(dir.file("apply.pat"));
    }
}

} // namespace
