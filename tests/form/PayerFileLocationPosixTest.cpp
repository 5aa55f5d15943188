#include "form/PayerFileLocation.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

namespace kvitok::testing {
namespace {

namespace fs = std::filesystem;

// A file in the working folder is used; otherwise the one under the data folder, which is
// made for its owner alone.
TEST(PayerFileLocation, WorkingFolderFileFirstThenThePrivateDataFolder) {
    struct Case {
        bool fileInWorkingFolder;
        const char* dataHome; // nullptr: unset
        const char* expected; // below the temporary home
    };
    const Case cases[] = {
        {false, nullptr, ".local/share/kvitok/insurers.db"},
        {false, "data", "data/kvitok/insurers.db"},
        {false, "relative/is/ignored", ".local/share/kvitok/insurers.db"},
        {true, "data", "insurers.db"},
    };
    for (const Case& c : cases) {
        TempHome home;
        if (c.fileInWorkingFolder) {
            std::ofstream(home.Path() / "insurers.db") << "";
        }
        if (c.dataHome == nullptr) {
            unsetenv("XDG_DATA_HOME");
        } else {
            const fs::path dataHome = *c.dataHome == 'd' ? home.Path() / c.dataHome : fs::path(c.dataHome);
            setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
        }
        const fs::path chosen = PayerFilePath();
        unsetenv("XDG_DATA_HOME");
        EXPECT_EQ(fs::absolute(chosen), home.Path() / c.expected) << c.expected;
        if (!c.fileInWorkingFolder) {
            struct stat folder {};
            ASSERT_EQ(stat(chosen.parent_path().c_str(), &folder), 0) << c.expected;
            EXPECT_EQ(folder.st_mode & 0777, 0700u) << c.expected;
            EXPECT_FALSE(fs::exists(chosen)) << "the file itself is left to the database";
        }
    }
}

} // namespace
} // namespace kvitok::testing
