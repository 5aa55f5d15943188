#include "platform/SystemError.h"
#include "platform/WholeFile.h"
#include "support/ResultReason.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cerrno>
#include <fstream>
#include <set>

namespace kvitok::testing {
namespace {

namespace fs = std::filesystem;

std::set<fs::path> Names(const fs::path& folder) {
    std::set<fs::path> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename());
    }
    return names;
}

// A file held open by a program that lets no one else write it: the replace is refused with a
// reason, and the old content stays with nothing left beside it.
TEST(Win32WholeFile, ReplaceThatFailsKeepsTheOldFile) {
    const TempFolder folder;
    const fs::path file = folder.Path() / "kvt.html";
    std::ofstream(file, std::ios::binary) << "old";
    const HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReasonOf(ReplaceWholeFile(file, "new", NewFileAccess::Everyone)), SystemReason(EACCES));
    CloseHandle(held);
    EXPECT_EQ(ReadFile(file), "old");
    EXPECT_EQ(Names(folder.Path()), std::set<fs::path> {"kvt.html"});
    EXPECT_TRUE(ReplaceWholeFile(file, "new", NewFileAccess::Everyone));
    EXPECT_EQ(ReadFile(file), "new");
}

TEST(Win32WholeFile, ReadOnlyFileIsRefusedAndKept) {
    const TempFolder folder;
    const fs::path file = folder.Path() / "kvitok.ini";
    std::ofstream(file, std::ios::binary) << "kept";
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(ReasonOf(ReplaceWholeFile(file, "new", NewFileAccess::OwnerOnly)), SystemReason(EACCES));
    EXPECT_EQ(ReadFile(file), "kept");
    EXPECT_NE(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(Names(folder.Path()), std::set<fs::path> {"kvitok.ini"});
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL); // so that the folder can be removed
}

} // namespace
} // namespace kvitok::testing
