#include "platform/wine/wine_registry.h"

#include <gtest/gtest.h>

#include "tests/support/shared_data.h"

namespace {

using platform::RegistryValueType;
using platform::wine::RegistryFile;

constexpr const char* Header =
    "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n\n";

RegistryFile ParseOneKey(const std::string& valueLines) {
    const std::string text =
        std::string(Header) + "[Software\\\\Test] 1796630882\n#time=1dd862214d7a974\n" + valueLines;
    auto file = RegistryFile::Parse(text);
    EXPECT_TRUE(file.has_value());
    return file.value_or(RegistryFile{});
}

struct ValueCase {
    const char* label;
    std::string line; // the value line as it stands in the file
    std::optional<RegistryValueType> type;
    std::string text;
};

void PrintTo(const ValueCase& c, std::ostream* out) {
    *out << c.label;
}

class RegistryValueLine : public testing::TestWithParam<ValueCase> {};

TEST_P(RegistryValueLine, DecodesTypeAndText) {
    const ValueCase& c = GetParam();
    const RegistryFile file = ParseOneKey(c.line + "\n\"After\"=\"still read\"\n");
    const auto value = file.value("Software\\Test", "v");
    ASSERT_EQ(value.has_value(), c.type.has_value()) << c.line;
    if (value) {
        EXPECT_EQ(value->type, *c.type);
        EXPECT_EQ(value->text, c.text);
    }
    // A value line, well-formed or not, never swallows the next one.
    const auto after = file.value("Software\\Test", "After");
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(after->text, "still read");
}

const ValueCase ValueCases[] = {
    {"plain", R"("v"="Command and Conquer Generals Zero Hour Data")", RegistryValueType::String,
     "Command and Conquer Generals Zero Hour Data"},
    {"empty", R"("v"="")", RegistryValueType::String, ""},
    {"backslash and quote", R"("v"="C:\\dir\\ \"q\"")", RegistryValueType::String,
     "C:\\dir\\ \"q\""},
    {"trailing backslash", R"("v"="C:\\Games\\")", RegistryValueType::String, "C:\\Games\\"},
    {"C escapes", R"("v"="a\nb\tc\rd")", RegistryValueType::String, "a\nb\tc\rd"},
    {"octal", R"("v"="\101\033x")", RegistryValueType::String, "A\x1bx"},
    {"hex one digit", R"("v"="\x41-")", RegistryValueType::String, "A-"},
    {"hex stops after four digits", R"("v"="\x00e9e")", RegistryValueType::String,
     "\xC3\xA9"
     "e"},
    {"cyrillic", R"("v"="\x41f\x440\x438")", RegistryValueType::String, "\xD0\x9F\xD1\x80\xD0\xB8"},
    {"surrogate pair", R"("v"="\xd83d\xde00!")", RegistryValueType::String, "\xF0\x9F\x98\x80!"},
    {"lone surrogate", R"("v"="\xd83d!")", RegistryValueType::String, "\xEF\xBF\xBD!"},
    {"utf8 bytes as they stand", "\"v\"=\"\xE6\x97\xA5\xE6\x9C\xAC\"", RegistryValueType::String,
     "\xE6\x97\xA5\xE6\x9C\xAC"},
    {"expand string", R"("v"=str(2):"%USERPROFILE%\\Documents")", RegistryValueType::ExpandString,
     "%USERPROFILE%\\Documents"},
    {"multi string", R"("v"=str(7):"a\0b\0")", RegistryValueType::Other, ""},
    {"dword", R"("v"=dword:00010004)", RegistryValueType::DWord, ""},
    {"binary", R"("v"=hex:1f,00)", RegistryValueType::Binary, ""},
    {"string written as hex", R"("v"=hex(1):41,00,42,00,00,00)", RegistryValueType::String, "AB"},
    {"empty expand string as hex", R"("v"=hex(2):)", RegistryValueType::ExpandString, ""},
    {"hex continued", "\"v\"=hex(7):41,00,00,\\\n  00,42,00,\\\n  00,00", RegistryValueType::Other,
     ""},
    {"hex of another type", R"("v"=hex(b):01,00,00,00,00,00,00,00)", RegistryValueType::Other, ""},
    {"unterminated string", R"("v"="open)", std::nullopt, ""},
    {"unknown form", R"("v"=qword:1)", std::nullopt, ""},
    {"bad dword", R"("v"=dword:xyz)", std::nullopt, ""},
    {"bad hex", R"("v"=hex:1g)", std::nullopt, ""},
};

INSTANTIATE_TEST_SUITE_P(Forms, RegistryValueLine, testing::ValuesIn(ValueCases),
                         [](const testing::TestParamInfo<ValueCase>& param) {
                             std::string name = param.param.label;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

TEST(RegistryFile, KeysAndValueNamesIgnoreLetterCase) {
    const std::string text = std::string(Header) +
                             "[Software\\\\Electronic Arts\\\\EA GAMES\\\\Zero Hour] 1\n"
                             "\"UserDataLeafName\"=\"Data\"\n@=\"default\"\n";
    const auto file = RegistryFile::Parse(text);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->hasKey("SOFTWARE\\electronic arts\\EA Games\\zero hour"));
    EXPECT_FALSE(file->hasKey("SOFTWARE\\electronic arts"));
    EXPECT_EQ(
        file->value("software\\Electronic Arts\\ea games\\Zero Hour", "userdataleafname")->text,
        "Data");
    EXPECT_EQ(file->value("Software\\Electronic Arts\\EA GAMES\\Zero Hour", "")->text, "default");
    EXPECT_FALSE(file->value("Software\\Electronic Arts\\EA GAMES\\Zero Hour", "Missing"));
}

TEST(RegistryFile, ValuesBelongToTheirOwnKey) {
    const std::string text =
        std::string(Header) + "[A] 1\n\"v\"=\"in A\"\n\n[A\\\\B] 2\n\"w\"=\"in B\"\n";
    const auto file = RegistryFile::Parse(text);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->value("A", "v")->text, "in A");
    EXPECT_FALSE(file->value("A", "w"));
    EXPECT_EQ(file->value("A\\B", "w")->text, "in B");
}

TEST(RegistryFile, ReadsWindowsLineEndings) {
    const auto file =
        RegistryFile::Parse("WINE REGISTRY Version 2\r\n#arch=win64\r\n[K] 1\r\n\"v\"=\"x\"\r\n");
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->isWin64());
    EXPECT_EQ(file->value("K", "v")->text, "x");
}

TEST(RegistryFile, ArchitectureComesFromTheHeader) {
    EXPECT_TRUE(RegistryFile::Parse("WINE REGISTRY Version 2\n#arch=win64\n")->isWin64());
    EXPECT_FALSE(RegistryFile::Parse("WINE REGISTRY Version 2\n#arch=win32\n")->isWin64());
    EXPECT_FALSE(RegistryFile::Parse("WINE REGISTRY Version 2\n[K] 1\n")->isWin64());
}

TEST(RegistryFile, RejectsTextThatIsNotARegistry) {
    EXPECT_FALSE(RegistryFile::Parse(""));
    EXPECT_FALSE(RegistryFile::Parse("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n"));
    EXPECT_FALSE(RegistryFile::Parse(std::string("\0\1\2garbage", 10)));
    EXPECT_FALSE(RegistryFile::Load("/nonexistent/system.reg"));
}

TEST(RegistryFile, FilterKeepsOnlyChosenKeys) {
    const std::string text = std::string(Header) + "[Keep] 1\n\"v\"=\"1\"\n[Drop] 1\n\"v\"=\"2\"\n";
    const auto file = RegistryFile::Parse(text, [](std::string_view key) { return key == "Keep"; });
    ASSERT_TRUE(file);
    EXPECT_EQ(file->keyCount(), 1u);
    EXPECT_TRUE(file->value("Keep", "v"));
    EXPECT_FALSE(file->value("Drop", "v"));
}

TEST(RegistryFile, ReadsTheFilesWineWrote) {
    const auto folder = testsupport::SharedDir() / "testdata" / "wine" / "win64-game-installed";
    TARVEX_REQUIRE_SHARED(folder);
    const auto machine = RegistryFile::Load((folder / "system.reg").string());
    ASSERT_TRUE(machine);
    EXPECT_TRUE(machine->isWin64());
    EXPECT_GT(machine->keyCount(), 1000u);
    const std::string game =
        "Software\\Wow6432Node\\Electronic Arts\\EA GAMES\\Command and Conquer Generals Zero Hour";
    const auto leaf = machine->value(game, "UserDataLeafName");
    ASSERT_TRUE(leaf);
    EXPECT_EQ(leaf->type, RegistryValueType::String);
    EXPECT_EQ(leaf->text, "Command and Conquer Generals Zero Hour Data");
    EXPECT_EQ(machine->value(game, "InstallPath")->text,
              "C:\\Program Files (x86)\\EA Games\\Command and Conquer Generals Zero Hour\\");
    EXPECT_EQ(machine->value(game, "Version")->type, RegistryValueType::DWord);
    EXPECT_FALSE(machine->hasKey(
        "Software\\Electronic Arts\\EA GAMES\\Command and Conquer Generals Zero Hour"));
    // The value right after a long continued hex value is still read.
    const std::string splitter =
        "Software\\Classes\\CLSID\\{083863F1-70DE-11D0-BD40-00A0C911CE86}\\Instance\\"
        "{1B544C20-FD0B-11CE-8C63-00AA0044B51E}";
    EXPECT_EQ(machine->value(splitter, "FilterData")->type, RegistryValueType::Binary);
    EXPECT_EQ(machine->value(splitter, "FriendlyName")->text, "AVI Splitter");

    const auto user = RegistryFile::Load((folder / "user.reg").string());
    ASSERT_TRUE(user);
    const std::string shell = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
    EXPECT_EQ(user->value(shell + "Shell Folders", "Personal")->text, "C:\\users\\root\\Documents");
    EXPECT_EQ(user->value(shell + "User Shell Folders", "Personal")->type,
              RegistryValueType::ExpandString);
}

TEST(DecodeRegistryString, StopsAtTheUnescapedTerminator) {
    std::size_t next = 0;
    const std::string line = R"([Software\\A\]B] 1796630882)";
    EXPECT_EQ(platform::wine::DecodeRegistryString(line, 1, ']', next), "Software\\A]B");
    EXPECT_EQ(line.substr(next), " 1796630882");
    EXPECT_FALSE(platform::wine::DecodeRegistryString("abc\\", 0, '"', next));
}

} // namespace
