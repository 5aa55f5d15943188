#include "platform/UserProfile.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

namespace kvitok {
namespace {

// A form kept in the Windows profile comes back once, until the INI file has been written.
TEST(UserProfile, TakesTheFormFromTheWindowsProfileUntilTheIniFileIsWritten) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kvitok-profile-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(folder);
    // As the form was kept there: windows-1251 bytes through the ANSI functions, which must
    // come back as they are on a Windows of any language (this one speaks code page 1252).
    const std::string name("Петров Пётр"_cp);
    ASSERT_TRUE(WriteProfileStringA("kvt_section", "kvt_insurer", name.c_str()));
    ASSERT_TRUE(WriteProfileStringA("kvt_section", "kvt_stat", "3"));

    UserProfile profile(folder / "kvitok.ini");
    EXPECT_EQ(profile.Read("kvt_insurer", ""), name);
    EXPECT_EQ(profile.Read("kvt_stat", "0"), "3");
    EXPECT_EQ(profile.Read("kvt_year", "0"), "0");

    ASSERT_TRUE(profile.Write({{"kvt_insurer", "Ivanov"}}));
    EXPECT_TRUE(std::filesystem::exists(folder / "kvitok.ini"));
    EXPECT_EQ(profile.Read("kvt_insurer", ""), "Ivanov");
    EXPECT_EQ(profile.Read("kvt_stat", "0"), "0"); // the INI file alone counts now
    // A later start finds the file and no longer looks at the Windows profile.
    EXPECT_EQ(UserProfile(folder / "kvitok.ini").Read("kvt_stat", "0"), "0");

    WriteProfileStringA("kvt_section", nullptr, nullptr);
    std::error_code error;
    std::filesystem::remove_all(folder, error);
}

} // namespace
} // namespace kvitok
