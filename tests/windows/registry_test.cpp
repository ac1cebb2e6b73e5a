// Reading one value of the registry: types, Unicode text, and the 32-bit and 64-bit views.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "folder/replay_folder.h"
#include "platform/game_identity.h"
#include "platform/platform.h"
#include "tests/windows/game_key.h"

namespace {

using platform::RegistryRoot;
using platform::RegistryValueType;
using platform::RegistryView;

std::optional<platform::RegistryValue> ReadGameValue(RegistryRoot root, RegistryView view,
                                                     const std::string& name = "Probe") {
    return platform::ReadRegistryValue(root, view, platform::game::RegistryKey, name);
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { wintest::RemoveGameKeys(); }
    void TearDown() override { wintest::RemoveGameKeys(); }
};

struct StoredValue {
    const char* label;
    DWORD type;
    std::vector<BYTE> data;
    RegistryValueType expectedType;
    std::string expectedText;
};

std::vector<BYTE> BytesOf(const std::wstring& text, bool withNul) {
    const auto* begin = reinterpret_cast<const BYTE*>(text.c_str());
    return {begin, begin + (text.size() + (withNul ? 1 : 0)) * sizeof(wchar_t)};
}

TEST_F(RegistryTest, EachStoredTypeComesBackAsItsKind) {
    const DWORD number = 7;
    const auto* numberBytes = reinterpret_cast<const BYTE*>(&number);
    const std::vector<StoredValue> cases = {
        {"plain text", REG_SZ, BytesOf(L"Zero Hour Data", true), RegistryValueType::String,
         "Zero Hour Data"},
        {"text in three scripts", REG_SZ, BytesOf(L"Zéro Данные 数据", true),
         RegistryValueType::String, "Zéro Данные 数据"},
        {"text stored without its NUL", REG_SZ, BytesOf(L"No End", false),
         RegistryValueType::String, "No End"},
        {"text with a NUL inside", REG_SZ, BytesOf(std::wstring(L"abc\0def", 7), true),
         RegistryValueType::String, "abc"},
        {"empty text", REG_SZ, BytesOf(L"", true), RegistryValueType::String, ""},
        {"expandable text, left unexpanded", REG_EXPAND_SZ, BytesOf(L"%USERNAME% Data", true),
         RegistryValueType::ExpandString, "%USERNAME% Data"},
        {"number",
         REG_DWORD,
         {numberBytes, numberBytes + sizeof number},
         RegistryValueType::DWord,
         ""},
        {"bytes", REG_BINARY, {1, 2, 3}, RegistryValueType::Binary, ""},
        {"list of texts", REG_MULTI_SZ, BytesOf(std::wstring(L"a\0b\0", 4), true),
         RegistryValueType::Other, ""},
    };
    for (const auto& stored : cases) {
        SCOPED_TRACE(stored.label);
        wintest::WriteGameValue(wintest::MachineBits32, L"Probe", stored.type, stored.data.data(),
                                static_cast<DWORD>(stored.data.size()));
        const auto value = ReadGameValue(RegistryRoot::LocalMachine, RegistryView::Bits32);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(value->type, stored.expectedType);
        EXPECT_EQ(value->text, stored.expectedText);
    }
}

TEST_F(RegistryTest, EachViewSeesOnlyItsOwnKey) {
    wintest::WriteGameText(wintest::MachineBits64, L"Probe", L"only 64");
    EXPECT_FALSE(ReadGameValue(RegistryRoot::LocalMachine, RegistryView::Bits32).has_value());
    const auto in64 = ReadGameValue(RegistryRoot::LocalMachine, RegistryView::Bits64);
    ASSERT_TRUE(in64.has_value());
    EXPECT_EQ(in64->text, "only 64");

    wintest::RemoveGameKeys();
    wintest::WriteGameText(wintest::MachineBits32, L"Probe", L"only 32");
    EXPECT_FALSE(ReadGameValue(RegistryRoot::LocalMachine, RegistryView::Bits64).has_value());
    const auto in32 = ReadGameValue(RegistryRoot::LocalMachine, RegistryView::Bits32);
    ASSERT_TRUE(in32.has_value());
    EXPECT_EQ(in32->text, "only 32");
}

TEST_F(RegistryTest, MissingKeyOrValueIsNothing) {
    EXPECT_FALSE(ReadGameValue(RegistryRoot::LocalMachine, RegistryView::Bits32).has_value());
    EXPECT_FALSE(ReadGameValue(RegistryRoot::CurrentUser, RegistryView::Bits64).has_value());
    wintest::WriteGameText(wintest::UserKey, L"Other", L"x");
    EXPECT_FALSE(ReadGameValue(RegistryRoot::CurrentUser, RegistryView::Bits64).has_value());
    EXPECT_TRUE(
        ReadGameValue(RegistryRoot::CurrentUser, RegistryView::Bits64, "Other").has_value());
}

} // namespace
