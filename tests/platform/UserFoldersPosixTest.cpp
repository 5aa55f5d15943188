#include "platform/SystemError.h"
#include "platform/UserFolders.h"
#include "support/ResultReason.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <fstream>

namespace kvitok::testing {
namespace {

namespace fs = std::filesystem;

// Every folder the program makes for its files is its owner's alone; one that is already
// there keeps its mode, and a plain file in the way gives its reason.
TEST(UserFolders, NewFoldersAreTheOwnersAlone) {
    const TempFolder folder;
    fs::create_directory(folder.Path() / "shared");
    fs::permissions(folder.Path() / "shared", fs::perms(0755));
    std::ofstream(folder.Path() / "plain") << "x";

    EXPECT_TRUE(CreateOwnerFolders(folder.Path() / "shared" / "a" / "b"));
    for (const char* made : {"shared/a", "shared/a/b"}) {
        struct stat status {};
        ASSERT_EQ(stat((folder.Path() / made).c_str(), &status), 0) << made;
        EXPECT_EQ(status.st_mode & 0777, 0700u) << made;
    }
    EXPECT_EQ(fs::status(folder.Path() / "shared").permissions(), fs::perms(0755));
    EXPECT_TRUE(CreateOwnerFolders(folder.Path() / "shared" / "a" / "b")); // already there
    EXPECT_EQ(ReasonOf(CreateOwnerFolders(folder.Path() / "plain" / "kvitok")), SystemReason(ENOTDIR));
}

} // namespace
} // namespace kvitok::testing
