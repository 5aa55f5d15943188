#include "platform/SystemError.h"
#include "platform/UserFolders.h"
#include "support/ResultReason.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>

namespace kvitok::testing {
namespace {

namespace fs = std::filesystem;

TEST(Win32UserFolders, ProfileAndPayerFileLiveInTheRoamingApplicationData) {
    const wchar_t* appData = _wgetenv(L"APPDATA");
    ASSERT_NE(appData, nullptr);
    EXPECT_EQ(UserConfigFolder(), fs::path(appData));
    EXPECT_EQ(UserDataFolder(), fs::path(appData));

    const TempFolder folder;
    std::ofstream(folder.Path() / "plain") << "x";
    EXPECT_TRUE(CreateOwnerFolders(folder.Path() / "a" / "b"));
    EXPECT_TRUE(fs::is_directory(folder.Path() / "a" / "b"));
    EXPECT_TRUE(CreateOwnerFolders(folder.Path() / "a" / "b")); // already there
    EXPECT_EQ(ReasonOf(CreateOwnerFolders(folder.Path() / "plain" / "kvitok")), SystemReason(ENOTDIR));
}

} // namespace
} // namespace kvitok::testing
