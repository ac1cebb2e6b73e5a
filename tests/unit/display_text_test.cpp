#include <gtest/gtest.h>

#include "replay/display_text.h"

using namespace std::string_literals;

TEST(DisplayText, Utf8StaysAndACutLastCharacterIsDropped) {
    EXPECT_EQ(DisplayText("Alpha"), "Alpha");
    EXPECT_EQ(DisplayText("Игрок"), "Игрок");
    EXPECT_EQ(DisplayText("Игро\xD0"s), "Игро"); // cut inside a two-byte character
    EXPECT_EQ(DisplayText("ab\xE4\xB8"s), "ab"); // cut inside a three-byte character
    EXPECT_EQ(DisplayText("\xF0\x9F\x98"s), ""); // cut inside a four-byte character
    EXPECT_EQ(DisplayText("Ren\xE9"s), "Ren");   // a final lead byte reads as a cut character
}

TEST(DisplayText, AnythingElseIsWindows1252) {
    EXPECT_EQ(DisplayText("Ren\xE9s"s), "Renés"); // é before a letter is no UTF-8 sequence
    EXPECT_EQ(DisplayText("\x80\x9F"s), "€Ÿ");
    EXPECT_EQ(DisplayText("\xD0x"s), "Ðx");    // a broken sequence not at the end
    EXPECT_EQ(DisplayText("\xC0\x80"s), "À€"); // overlong form
    EXPECT_EQ(DisplayText("\xED\xA0\x80"s),
              "\xC3\xAD\xC2\xA0\xE2\x82\xAC");   // encoded surrogate: í, no-break space, €
    EXPECT_EQ(DisplayText("\x81"s), "\xC2\x81"); // unassigned byte keeps its code point
}

TEST(DisplayText, Utf8Validity) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("版本"));
    EXPECT_FALSE(IsValidUtf8("版\xE6"s));
    EXPECT_FALSE(IsValidUtf8("\xF5\x80\x80\x80"s));
}
