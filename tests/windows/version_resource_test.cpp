// The version resource the build gives tarvex-info.exe, read the way Explorer reads it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/win32_internal.h"

namespace {

class VersionResourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The tests are built beside the programs.
        const std::wstring path =
            platform::win32::Widen(platform::ProgramFolder() + "tarvex-info.exe");
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
        ASSERT_GT(size, 0u) << "no version resource in tarvex-info.exe";
        data_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, data_.data()));
    }

    std::string Text(const wchar_t* name) {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueW(data_.data(), key.c_str(), &value, &length) || length == 0) return {};
        return platform::win32::Narrow(
            std::wstring(static_cast<const wchar_t*>(value), length - 1));
    }

    std::vector<char> data_;
};

TEST_F(VersionResourceTest, CarriesTheProjectsVersionAndNames) {
    EXPECT_EQ(Text(L"FileVersion"), TARVEX_VERSION);
    EXPECT_EQ(Text(L"ProductVersion"), TARVEX_VERSION);
    EXPECT_EQ(Text(L"ProductName"), "Tarvex");
    EXPECT_EQ(Text(L"OriginalFilename"), "tarvex-info.exe");

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data_.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, (TARVEX_VERSION_MAJOR << 16) | TARVEX_VERSION_MINOR);
    EXPECT_EQ(fixed->dwFileVersionLS, TARVEX_VERSION_PATCH << 16);
}

} // namespace
