#include "platform/IniProfile.h"
#include "platform/SystemError.h"
#include "support/FileMode.h"
#include "support/ResultReason.h"
#include "support/TestFiles.h"
#include "support/WithoutPrivileges.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <functional>

namespace kvitok::testing {
namespace {

namespace fs = std::filesystem;

class IniProfilePosixTest : public ::testing::Test {
protected:
    fs::path File() const { return m_folder.Path() / "config" / "kvitok" / "kvitok.ini"; }

    TempFolder m_folder;
};

TEST_F(IniProfilePosixTest, NewProfileIsItsOwnersOnly) {
    IniProfile profile(File(), "kvt_section");
    EXPECT_TRUE(profile.Write({{"kvt_inn", "500100732259"}, {"kvt_snils", "112-233-445 95"}}));
    EXPECT_EQ(ReadFile(File()), "[kvt_section]\nkvt_inn=500100732259\nkvt_snils=112-233-445 95\n");
    EXPECT_EQ(ModeOf(File()), 0600u);
}

TEST_F(IniProfilePosixTest, ReplacedProfileKeepsItsMode) {
    WriteFile(File(), "[kvt_section]\nkvt_stat=2\n");
    chmod(File().c_str(), 0640);
    EXPECT_TRUE(IniProfile(File(), "kvt_section").Write({{"kvt_stat", "3"}}));
    EXPECT_EQ(ReadFile(File()), "[kvt_section]\nkvt_stat=3\n");
    EXPECT_EQ(ModeOf(File()), 0640u);
}

TEST_F(IniProfilePosixTest, SymbolicLinkIsFollowedAndKept) {
    WriteFile(m_folder.Path() / "dotfiles" / "kvitok.ini", "[mine]\nkeep=1\n");
    fs::create_directories(File().parent_path());
    fs::create_symlink("../../dotfiles/kvitok.ini", File());
    EXPECT_TRUE(IniProfile(File(), "kvt_section").Write({{"kvt_stat", "2"}}));
    EXPECT_TRUE(fs::is_symlink(File()));
    EXPECT_EQ(ReadFile(m_folder.Path() / "dotfiles" / "kvitok.ini"),
              "[mine]\nkeep=1\n\n[kvt_section]\nkvt_stat=2\n");
}

// A profile the person may not change, or cannot read, is left as it is, nothing is left beside
// it, and the failure names the file and the reason.
TEST_F(IniProfilePosixTest, ProfileThatCannotBeWrittenIsLeftAsItIs) {
    const std::string stored = "[kvt_section]\nkvt_stat=2\n[other]\nkept=1\n";
    struct Case {
        const char* name;
        int error;
        std::function<void(const fs::path& file)> arrange;
    };
    const Case cases[] = {
        {"unreadable", EACCES,
         [&](const fs::path& f) {
             WriteFile(f, stored);
             chmod(f.c_str(), 0);
         }},
        {"write-only", EACCES,
         [&](const fs::path& f) {
             WriteFile(f, stored);
             chmod(f.c_str(), 0200);
         }},
        {"read-only", EACCES,
         [&](const fs::path& f) {
             WriteFile(f, stored);
             chmod(f.c_str(), 0444);
         }},
        {"read-only folder", EACCES,
         [](const fs::path& f) {
             chmod(f.parent_path().c_str(), 0555);
         }},
        {"folder in its place", EISDIR,
         [](const fs::path& f) {
             fs::create_directories(f);
         }},
    };
    GiveToUnprivileged(m_folder.Path());
    for (const Case& c : cases) {
        const fs::path folder = m_folder.Path() / c.name;
        const fs::path file = folder / "kvitok.ini";
        fs::create_directory(folder);
        GiveToUnprivileged(folder);
        c.arrange(file);
        if (fs::exists(file)) {
            GiveToUnprivileged(file);
        }
        const auto content = [&file] {
            return fs::is_regular_file(file) ? ReadFile(file) : std::string();
        };
        const std::string before = content();
        const int result = RunWithoutPrivileges([&] {
            const Result<> written = IniProfile(file, "kvt_section").Write({{"kvt_stat", "3"}});
            return ReasonOf(written) == file.string() + ": " + SystemReason(c.error) ? 0 : 1;
        });
        if (result < 0) {
            GTEST_SKIP() << "cannot drop root's privileges";
        }
        EXPECT_EQ(result, 0) << c.name;
        chmod(folder.c_str(), 0755);
        EXPECT_EQ(content(), before) << c.name;
        std::vector<fs::path> left;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            left.push_back(entry.path());
        }
        EXPECT_EQ(left, fs::exists(file) ? std::vector<fs::path> {file} : std::vector<fs::path> {}) << c.name;
    }
}

} // namespace
} // namespace kvitok::testing
