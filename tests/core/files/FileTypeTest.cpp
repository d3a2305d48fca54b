#include "core/files/FileType.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace {

using quom::FileType;

FileType typeOf(std::string_view text)
{
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    return quom::detectFileType(bytes);
}

TEST(FileType, RecognisesEachFormatByItsContent)
{
    EXPECT_EQ(typeOf(std::string_view("RIFF\0\0\0\0WAVE", 12)), FileType::Wave);
    EXPECT_EQ(typeOf("QUOM\x01\0\x01\0"), FileType::Project);
    EXPECT_EQ(typeOf("PATT"), FileType::Pattern);
    EXPECT_EQ(typeOf("<?xml version=\"1.0\"?>\r\n"), FileType::Kit);
    EXPECT_EQ(typeOf("\xEF\xBB\xBF \r\n\t<AnyRoot>"), FileType::Kit);
}

TEST(FileType, OtherContentIsUnknown)
{
    EXPECT_EQ(typeOf(""), FileType::Unknown);
    EXPECT_EQ(typeOf("RIFF\0\0\0\0AVI "), FileType::Unknown);
    EXPECT_EQ(typeOf("RIFF\0\0\0\0WAV"), FileType::Unknown);
    EXPECT_EQ(typeOf("QUO"), FileType::Unknown);
    EXPECT_EQ(typeOf("quom"), FileType::Unknown);
    EXPECT_EQ(typeOf("   \n"), FileType::Unknown);
    EXPECT_EQ(typeOf("MThd"), FileType::Unknown);
}

} // namespace
