#include "platform/SystemError.h"
#include "platform/WholeFile.h"
#include "support/FileMode.h"
#include "support/ResultReason.h"
#include "support/TestFiles.h"
#include "support/WithoutPrivileges.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <fstream>
#include <set>

namespace kvitok::testing {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

class WholeFile : public ::testing::Test {
protected:
    void SetUp() override { m_umask = umask(022); }
    void TearDown() override { umask(m_umask); }

    TempFolder m_folder;
    mode_t m_umask = 0;
};

TEST_F(WholeFile, ReplacedFileKeepsItsModeAndANewOneGetsTheGivenAccess) {
    constexpr NewFileAccess kOwner = NewFileAccess::OwnerOnly;
    constexpr NewFileAccess kEveryone = NewFileAccess::Everyone;
    struct Case {
        mode_t existing; // 0: no file yet
        NewFileAccess given;
        mode_t expected;
    };
    const Case cases[] = {
        {0, kOwner, 0600},    {0, kEveryone, 0644}, // the umask applies to a new file
        {0640, kOwner, 0640}, {0604, kEveryone, 0604}, {0600, kEveryone, 0600},
    };
    for (const Case& c : cases) {
        const fs::path file = m_folder.Path() / "kvitok.ini";
        fs::remove(file);
        if (c.existing != 0) {
            WriteFile(file, std::string(20000, 'o'));
            chmod(file.c_str(), c.existing);
        }
        EXPECT_TRUE(ReplaceWholeFile(file, std::string("new\0bytes", 9), c.given));
        EXPECT_EQ(ReadFile(file), std::string("new\0bytes", 9));
        EXPECT_EQ(ModeOf(file), c.expected) << std::oct << c.existing;
        EXPECT_EQ(Names(m_folder.Path()), std::set<std::string> {"kvitok.ini"});
    }
}

TEST_F(WholeFile, SymbolicLinksAreFollowedAndStayLinks) {
    const fs::path folder = m_folder.Path();
    fs::create_directory(folder / "real");
    WriteFile(folder / "real" / "kvt.html", "old");
    fs::create_symlink("real/kvt.html", folder / "relative");
    fs::create_symlink(folder / "relative", folder / "chain");
    fs::create_symlink("real/new.html", folder / "dangling"); // names a file not made yet

    for (const char* link : {"relative", "chain"}) {
        EXPECT_TRUE(ReplaceWholeFile(folder / link, link, NewFileAccess::OwnerOnly)) << link;
        EXPECT_TRUE(fs::is_symlink(folder / link));
        EXPECT_EQ(ReadFile(folder / "real" / "kvt.html"), link);
    }
    EXPECT_TRUE(ReplaceWholeFile(folder / "dangling", "made", NewFileAccess::OwnerOnly));
    EXPECT_TRUE(fs::is_symlink(folder / "dangling"));
    EXPECT_EQ(ReadFile(folder / "real" / "new.html"), "made");
    EXPECT_EQ(Names(folder / "real"), (std::set<std::string> {"kvt.html", "new.html"}));

    fs::create_symlink("loop", folder / "loop");
    EXPECT_EQ(ReasonOf(ReplaceWholeFile(folder / "loop", "x", NewFileAccess::OwnerOnly)),
              SystemReason(ELOOP));
}

// A disk that fills part-way through: the file size limit stops the writes after 8 KiB.
TEST_F(WholeFile, WriteThatFailsPartWayLeavesTheOldFile) {
    const fs::path file = m_folder.Path() / "kvt.html";
    const std::string old(17760, 'o');
    WriteFile(file, old);
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit {8192, 8192};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(ReasonOf(ReplaceWholeFile(file, std::string(17760, 'n'), NewFileAccess::Everyone)) ==
                      SystemReason(EFBIG)
                  ? 0
                  : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadFile(file), old);
    EXPECT_EQ(Names(m_folder.Path()), std::set<std::string> {"kvt.html"});
}

TEST_F(WholeFile, WhatMayNotBeReplacedIsLeftAlone) {
    const fs::path folder = m_folder.Path();
    GiveToUnprivileged(folder);
    fs::create_directory(folder / "ro");
    fs::create_directory(folder / "kvitok.ini");
    WriteFile(folder / "readonly.ini", "kept");
    WriteFile(folder / "ro" / "kvt.html", "kept");
    for (const char* name : {"ro", "ro/kvt.html", "kvitok.ini", "readonly.ini"}) {
        GiveToUnprivileged(folder / name);
    }
    chmod((folder / "readonly.ini").c_str(), 0444);
    chmod((folder / "ro").c_str(), 0555);

    struct Case {
        const char* path;
        int error;
    };
    const Case cases[] = {
        {"kvitok.ini", EISDIR},       // a folder in the file's place
        {"readonly.ini", EACCES},     // read-only file in a writable folder
        {"ro/new.html", EACCES},      // new file in a read-only folder
        {"missing/kvt.html", ENOENT}, // no such folder
    };
    const std::set<std::string> before = Names(folder);
    for (const Case& c : cases) {
        const int told = RunWithoutPrivileges([&] {
            return ReasonOf(ReplaceWholeFile(folder / c.path, "new", NewFileAccess::OwnerOnly)) ==
                           SystemReason(c.error)
                       ? 0
                       : 1;
        });
        if (told < 0) {
            GTEST_SKIP() << "cannot drop root's privileges";
        }
        EXPECT_EQ(told, 0) << c.path;
    }
    EXPECT_EQ(Names(folder), before);
    EXPECT_EQ(Names(folder / "ro"), std::set<std::string> {"kvt.html"});
    EXPECT_EQ(ReadFile(folder / "readonly.ini"), "kept");
    EXPECT_EQ(ReadFile(folder / "ro" / "kvt.html"), "kept");
    EXPECT_EQ(ModeOf(folder / "readonly.ini"), 0444u);
    chmod((folder / "ro").c_str(), 0755); // so that the folder can be removed
}

// A folder that refuses the temporary file does not stop a file that may be written: it is
// written where it is, shorter or longer than before, and keeps its mode.
TEST_F(WholeFile, WritableFileInAFolderThatIsNotIsWrittenInPlace) {
    const fs::path folder = m_folder.Path();
    GiveToUnprivileged(folder);
    fs::create_directory(folder / "ro");
    WriteFile(folder / "ro" / "kvt.html", std::string(5000, 'o'));
    GiveToUnprivileged(folder / "ro" / "kvt.html");
    chmod((folder / "ro" / "kvt.html").c_str(), 0664);
    chmod((folder / "ro").c_str(), 0555); // root's, so that 65534 may not add files to it

    for (const std::string& text : {std::string("short"), std::string(9000, 'n')}) {
        const int failed = RunWithoutPrivileges([&] {
            return ReplaceWholeFile(folder / "ro" / "kvt.html", text, NewFileAccess::OwnerOnly) ? 0 : 1;
        });
        if (failed < 0) {
            GTEST_SKIP() << "cannot drop root's privileges";
        }
        EXPECT_EQ(failed, 0);
        EXPECT_EQ(ReadFile(folder / "ro" / "kvt.html"), text);
    }
    EXPECT_EQ(Names(folder / "ro"), std::set<std::string> {"kvt.html"});
    EXPECT_EQ(ModeOf(folder / "ro" / "kvt.html"), 0664u);
    chmod((folder / "ro").c_str(), 0755);
}

} // namespace
} // namespace kvitok::testing
