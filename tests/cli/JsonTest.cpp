#include "cli/Json.h"

#include <gtest/gtest.h>

namespace {

using quom::cli::jsonString;

TEST(JsonString, EscapesWhatJsonRequires)
{
    EXPECT_EQ(jsonString("a\"b\\c\nd\re\tf\x01g\x7f"), "\"a\\\"b\\\\c\\nd\\re\\tf\\u0001g\x7f\"");
}

TEST(JsonString, KeepsUtf8AndEscapesEveryOtherByteAsALowSurrogate)
{
    // Two-, three- and four-byte characters, the highest of each length among them.
    const std::string text = "\xC3\xA9 \xDF\xBF \xE2\x82\xAC \xEF\xBF\xBF \xF0\x9F\x8E\xB5 \xF4\x8F\xBF\xBF";
    EXPECT_EQ(jsonString(text), '"' + text + '"');

    // A Latin-1 name, a stray continuation byte, overlong forms, an encoded surrogate, a
    // code point beyond U+10FFFF, bytes that never lead, and sequences cut short.
    EXPECT_EQ(jsonString("caf\xE9.wav"), "\"caf\\udce9.wav\"");
    EXPECT_EQ(jsonString("\x80"), "\"\\udc80\"");
    EXPECT_EQ(jsonString("\xC0\xAF\xE0\x80\xAF"), "\"\\udcc0\\udcaf\\udce0\\udc80\\udcaf\"");
    EXPECT_EQ(jsonString("\xED\xA0\x80"), "\"\\udced\\udca0\\udc80\"");
    EXPECT_EQ(jsonString("\xF4\x90\x80\x80"), "\"\\udcf4\\udc90\\udc80\\udc80\"");
    EXPECT_EQ(jsonString("\xF5\xFF"), "\"\\udcf5\\udcff\"");
    EXPECT_EQ(jsonString("\xE2\x82"), "\"\\udce2\\udc82\"");
    // The escape takes one byte only, so a character right after a broken one survives.
    EXPECT_EQ(jsonString("\xE2\xC3\xA9"), "\"\\udce2\xC3\xA9\"");
}

} // namespace
