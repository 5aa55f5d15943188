#include "payers/DbConnection.h"
#include "payers/DbException.h"
#include "payers/PayerStore.h"
#include "text/Cp1251Literal.h"

#include "SamplePayer.h"
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
        store.Open(shared.string());
    }
    chmod(shared.c_str(), 0644);
    const mode_t umaskBefore = umask(0);
    {
        PayerStore store;
        store.Open(file.string());
        store.Save(Payer("Stored"));
        PayerStore again;
        again.Open(shared.string());
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
            int status = 0;
            try {
                PayerStore store;
                store.Open(file);
                for (int i = 0; i < kNames; ++i) {
                    store.Save(Payer("Payer " + std::to_string(i)));
                }
            } catch (const DbException&) {
                status = 1;
            }
            _exit(status);
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
        store.Open((folder / "insurers.db").string());
        store.Save(Payer("Stored"));
    }
    fs::create_directory(folder / "empty");
    fs::permissions(m_folder.Path(), fs::perms::owner_all | fs::perms::others_exec);
    for (const fs::path& p : {folder, folder / "empty"}) {
        fs::permissions(p, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                               fs::perms::others_exec);
    }
    fs::permissions(folder / "insurers.db", fs::perms::owner_read | fs::perms::owner_write |
                                                fs::perms::others_read | fs::perms::others_write);

    // Codes come back as exit statuses: 0 for success, the library's code otherwise.
    const int created = RunWithoutPrivileges([&] {
        PayerStore store;
        try {
            store.Open((folder / "empty" / "insurers.db").string());
        } catch (const DbException& e) {
            return e.message() == "SQLITE_CANTOPEN[14]: unable to open database file" ? 14 : 1;
        }
        return 0;
    });
    const int written = RunWithoutPrivileges([&] {
        PayerStore store;
        try {
            store.Open((folder / "insurers.db").string());
            if (store.ListNames() != std::vector<std::string> {"Stored"} || !store.Load("Stored")) {
                return 1;
            }
            store.Save(Payer("New"));
        } catch (const DbException& e) {
            return e.code() < 255 ? e.code() : 254;
        }
        return 0;
    });
    if (created < 0 || written < 0) {
        GTEST_SKIP() << "cannot drop root privileges here";
    }
    EXPECT_EQ(created, 14);
    // Reading works; the library refuses to write where it cannot keep its rollback journal.
    EXPECT_EQ(written, 8);
}

} // namespace
} // namespace kvitok
