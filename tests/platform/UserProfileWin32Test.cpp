#include "platform/UserProfile.h"
#include "support/TestFiles.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kvitok::testing {
namespace {

namespace fs = std::filesystem;

// An older copy kept the form in win.ini's section; run without a manifest by a standard user,
// its writes went to the copy of win.ini in the virtual store instead. While there is no
// kvitok.ini the form comes back from that copy, else from win.ini (an older copy run by a
// standard user read and wrote the copy last); once kvitok.ini is written, only it counts. One
// test, since every case changes the same win.ini.
TEST(UserProfile, TakesTheOlderFormOverUntilTheIniFileIsWritten) {
    const wchar_t* localAppData = _wgetenv(L"LOCALAPPDATA");
    ASSERT_NE(localAppData, nullptr);
    const fs::path virtualStore = fs::path(localAppData) / L"VirtualStore";
    const bool storeWasThere = fs::exists(virtualStore);
    const fs::path redirected = virtualStore / L"Windows" / L"win.ini";
    // As the older copy wrote them: windows-1251 bytes, which must come back as they are on a
    // Windows of any language (this one speaks code page 1252).
    const std::string inWinIni("Петров Пётр"_cp);
    const std::string inStore("Сидорова Анна"_cp);
    struct Case {
        bool winIni;
        bool store;
        std::string name;
        const char* status;
    };
    const Case cases[] = {
        {false, false, "", "0"},
        {false, true, inStore, "2"},
        {true, false, inWinIni, "3"},
        {true, true, inStore, "2"},
    };
    const TempFolder folder;
    for (const Case& c : cases) {
        WriteProfileStringA("kvt_section", nullptr, nullptr);
        if (c.winIni) {
            ASSERT_TRUE(WriteProfileStringA("kvt_section", "kvt_insurer", inWinIni.c_str()));
            ASSERT_TRUE(WriteProfileStringA("kvt_section", "kvt_stat", "3"));
        }
        std::error_code error;
        fs::remove(redirected, error);
        if (c.store) {
            WriteFile(redirected,
                      "[windows]\r\nload=\r\n[kvt_section]\r\nkvt_insurer=" + inStore + "\r\nkvt_stat=2\r\n");
        }
        UserProfile profile(folder.Path() / "kvitok.ini");
        EXPECT_EQ(profile.Read("kvt_insurer", ""), c.name) << c.winIni << c.store;
        EXPECT_EQ(profile.Read("kvt_stat", "0"), c.status) << c.winIni << c.store;
        EXPECT_EQ(profile.Read("kvt_year", "0"), "0") << c.winIni << c.store;
    }

    UserProfile profile(folder.Path() / "kvitok.ini");
    ASSERT_EQ(profile.Read("kvt_stat", "0"), "2");
    ASSERT_TRUE(profile.Write({{"kvt_insurer", "Ivanov"}}));
    EXPECT_TRUE(fs::exists(folder.Path() / "kvitok.ini"));
    EXPECT_EQ(profile.Read("kvt_insurer", ""), "Ivanov");
    EXPECT_EQ(profile.Read("kvt_stat", "0"), "0"); // the INI file alone counts now
    // A later start finds the file and no longer looks anywhere else.
    EXPECT_EQ(UserProfile(folder.Path() / "kvitok.ini").Read("kvt_stat", "0"), "0");

    WriteProfileStringA("kvt_section", nullptr, nullptr);
    std::error_code error;
    fs::remove_all(storeWasThere ? redirected : virtualStore, error);
}

} // namespace
} // namespace kvitok::testing
