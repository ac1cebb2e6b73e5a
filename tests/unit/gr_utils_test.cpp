#include <string>

#include <gtest/gtest.h>

#include "replay/GR_Utils.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"

using namespace std::string_literals;

TEST(TextHelpers, TextBeforeAndAfterTakeTheFirstDelimiterAndGiveEmptyWithoutIt) {
    struct Case {
        const char* text;
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {"abc", "", ""},   {",abc", "", "abc"}, {"ab,c,d", "ab", "c,d"},
        {"ab,", "ab", ""}, {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextBefore(",", c.text), c.before) << c.text;
        EXPECT_EQ(TextAfter(",", c.text), c.after) << c.text;
    }
    EXPECT_EQ(TextAfter("=", "M=07maps/a;"), "07maps/a;");
}

TEST(TextHelpers, CopyCharsStopsAtTheEndOfTheText) {
    EXPECT_EQ(CopyChars(1, 6, "abc"), "abc");
    EXPECT_EQ(CopyChars(2, 3, "abcdef"), "bc");
    EXPECT_EQ(CopyChars(4, 3, "abcdef"), "");
    EXPECT_EQ(CopyChars(7, 9, "abcdef"), "");
}

TEST(NumberFromDigits, ReadsDigitAlphabetsWithSignsAndWraps) {
    struct Case {
        std::string text;
        std::string_view alphabet;
        int32_t value;
    };
    const Case cases[] = {
        {"C0", HexUpperDigits, 192},
        {"c0", HexUpperDigits, 0}, // lower case is outside the alphabet: digit 0
        {"80000000", HexUpperDigits, INT32_MIN},
        {"FFFFFFFF", HexUpperDigits, -1},
        {"1FFFFFFFF", HexUpperDigits, -1}, // wraps without failing
        {"-10", DecimalDigits, -10},
        {"--5", DecimalDigits, 5},
        {"-+5", DecimalDigits, -5},
        {"+-", DecimalDigits, 0},
        {"1G", HexUpperDigits, 16},
        {"101", BinaryDigits, 5},
        {"17", OctalDigits, 15},
        {"ff", HexLowerDigits, 255},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberFromDigits(c.text, c.alphabet), c.value) << c.text;
    EXPECT_THROW(NumberFromDigits("", DecimalDigits), ConvertError);
}

TEST(NumberFromDigits, DigitValueTakesTheLastOccurrence) {
    EXPECT_EQ(DigitValue("0120", '0'), 3);
    EXPECT_EQ(DigitValue(HexUpperDigits, 'F'), 15);
    EXPECT_EQ(DigitValue(HexUpperDigits, 'g'), 0);
}

TEST(ParseWholeNumber, AcceptsDecimalAndHexadecimalWholeNumbers) {
    struct Case {
        std::string text;
        int32_t value;
    };
    const Case cases[] = {
        {"-1", -1},
        {"0", 0},
        {"  42", 42},
        {"+7", 7},
        {"10\0abc"s, 10},
        {"$1F", 31},
        {"x10", 16},
        {"0x10", 16},
        {"-$10", -16},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"0010000", 10000},
        {"999999999", 999999999},
        {"-999999999", -999999999},
        {"1000000000", 1000000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseWholeNumber(c.text), c.value) << c.text;
}

TEST(ParseWholeNumber, RejectsEverythingElse) {
    for (const std::string& text : {""s, " "s, "-"s, "+"s, "1,"s, "12a"s, "1 "s, "2147483648"s,
                                    "-2147483649"s, "$"s, "0x"s, "--1"s, "\0 1"s, "1.5"s})
        EXPECT_THROW(ParseWholeNumber(text), ConvertError) << '"' << text << '"';
}

TEST(FileSizeByName, IsTheSizeOrZero) {
    testsupport::TempDir dir;
    replay_builder::WriteFile((dir / "a.rep").string(), std::string(1536, 'x'));
    EXPECT_EQ(FileSizeByName((dir / "a.rep").string()), 1536);
    EXPECT_EQ(FileSizeByName((dir / "missing.rep").string()), 0);
}
