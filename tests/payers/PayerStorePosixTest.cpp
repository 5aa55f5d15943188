#include "payers/DbConnection.h"
#include "payers/PayerStore.h"
#include "text/Cp1251Literal.h"

#include "SamplePayer.h"
#include "support/ResultReason.h"
#include "support/TestFiles.h"
#include "support/WithoutPrivileges.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kvitok {
namespace {

using kvitok::testing::ReasonOf;
using kvitok::testing::RunWithoutPrivileges;
using kvitok::testing::TempFolder;
namespace fs = std::filesystem;

class PayerStorePosixTest : public ::testing::Test {
protected:
    TempFolder m_folder;
};

// The file holds other people's SNILS, INN and addresses: a new one is its owner's alone, however
// open the umask is, and another user cannot read it; a file already there keeps its mode.
TEST_F(PayerStorePosixTest, NewFileIsReadableByItsOwnerOnly) {
    const fs::path file = m_folder.Path() / "insurers.db";
    const fs::path shared = m_folder.Path() / "shared.db";
    {
        PayerStore store;
        ASSERT_TRUE(store.Open(shared.string()));
    }
    chmod(shared.c_str(), 0644);
    const mode_t umaskBefore = umask(0);
    {
        PayerStore store;
        ASSERT_TRUE(store.Open(file.string()));
        ASSERT_TRUE(store.Save(Payer("Stored")));
        PayerStore again;
        ASSERT_TRUE(again.Open(shared.string()));
    }
    umask(umaskBefore);
    struct stat status {};
    ASSERT_EQ(stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    ASSERT_EQ(stat(shared.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0644u);

    if (geteuid() != 0) {
        return; // the mode is the whole answer; there is no other user to try it with
    }
    fs::permissions(m_folder.Path(), fs::perms(0755));
    const int readable = RunWithoutPrivileges([&] {
        const int fd = open(file.c_str(), O_RDONLY);
        return fd < 0 ? 0 : 1;
    });
    if (readable < 0) {
        GTEST_SKIP() << "cannot drop root privileges here";
    }
    EXPECT_EQ(readable, 0) << "another user read the payer file";
}

// Two copies of the program saving the same new names at the same time store each name once.
TEST_F(PayerStorePosixTest, TwoProgramsSavingTheSameNamesStoreEachOnce) {
    // In memory when the system offers it: saves that need not wait for the disk overlap often.
    const TempFolder folder(fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path());
    const std::string file = folder.File("insurers.db");
    constexpr int kNames = 1000;
    std::vector<pid_t> children;
    for (int copy = 0; copy < 2; ++copy) {
        const pid_t child = fork();
        if (child == 0) {
            PayerStore store;
            bool saved = static_cast<bool>(store.Open(file));
            for (int i = 0; i < kNames && saved; ++i) {
                saved = static_cast<bool>(store.Save(Payer("Payer " + std::to_string(i))));
            }
            _exit(saved ? 0 : 1);
        }
        ASSERT_GT(child, 0);
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    DbConnection db;
    db.openFile(file);
    EXPECT_EQ(db.runScalarQuery("select count(*) from insurers"), kNames);
    EXPECT_EQ(db.runScalarQuery("select count(distinct name) from insurers"), kNames);
}

TEST_F(PayerStorePosixTest, ReadOnlyFolder) {
    const fs::path folder = m_folder.Path() / "ro";
    fs::create_directory(folder);
    {
        PayerStore store;
        ASSERT_TRUE(store.Open((folder / "insurers.db").string()));
        ASSERT_TRUE(store.Save(Payer("Stored")));
    }
    fs::create_directory(folder / "empty");
    fs::permissions(m_folder.Path(), fs::perms::owner_all | fs::perms::others_exec);
    for (const fs::path& p : {folder, folder / "empty"}) {
        fs::permissions(p, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                               fs::perms::others_exec);
    }
    fs::permissions(folder / "insurers.db", fs::perms::owner_read | fs::perms::owner_write |
                                                fs::perms::others_read | fs::perms::others_write);

    // What each step says comes back as an exit status: 0 for what the test expects.
    const int created = RunWithoutPrivileges([&] {
        PayerStore store;
        return ReasonOf(store.Open((folder / "empty" / "insurers.db").string())) ==
                       "SQLITE_CANTOPEN[14]: unable to open database file"
                   ? 0
                   : 1;
    });
    const int written = RunWithoutPrivileges([&] {
        PayerStore store;
        if (!store.Open((folder / "insurers.db").string())) {
            return 1;
        }
        const Result<std::vector<std::string>> names = store.ListNames();
        const Result<std::optional<PayerRecord>> stored = store.Load("Stored");
        if (!names || *names != std::vector<std::string> {"Stored"} || !stored || !*stored) {
            return 1;
        }
        return ReasonOf(store.Save(Payer("New"))).starts_with("SQLITE_READONLY[8]: ") ? 0 : 2;
    });
    if (created < 0 || written < 0) {
        GTEST_SKIP() << "cannot drop root privileges here";
    }
    EXPECT_EQ(created, 0);
    // Reading works; the library refuses to write where it cannot keep its rollback journal.
    EXPECT_EQ(written, 0);
}

} // namespace
} // namespace kvitok
