#include "platform/WholeFile.h"
#include "platform/PathText.h"
#include "platform/SystemError.h"
#include "support/ResultReason.h"
#include "support/TestFiles.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

namespace kvitok::testing {
namespace {

namespace fs = std::filesystem;

// A Cyrillic folder and file name, given as the program's windows-1251 text, reach the system
// spelt as typed, whatever code page the system itself uses.
TEST(WholeFilePaths, CyrillicFolderAndFileNamesWork) {
    const TempFolder folder;
    const std::string name = std::string("Квитанции ёЁ/квитанция №1.html"_cp);
    const fs::path file = folder.Path() / PathFromText(name);
    EXPECT_EQ(PathToText(file.parent_path().filename()), std::string("Квитанции ёЁ"_cp));
    ASSERT_TRUE(fs::create_directory(file.parent_path()));

    EXPECT_TRUE(ReplaceWholeFile(file, "first", NewFileAccess::OwnerOnly));
    EXPECT_TRUE(ReplaceWholeFile(file, "second", NewFileAccess::OwnerOnly));
    const Result<std::optional<std::string>> read = ReadWholeFile(file);
    ASSERT_TRUE(read && *read);
    EXPECT_EQ(**read, "second");
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(file.parent_path())) {
        names.push_back(PathToUtf8(entry.path().filename()));
    }
    EXPECT_EQ(names, std::vector<std::string> {"квитанция №1.html"});
    EXPECT_EQ(ReadFile(file), "second"); // the standard library finds it under the same name
}

// A missing file is no failure to read, only nothing; a folder is a failure, with its reason.
TEST(WholeFilePaths, ReadsAndFailuresAreToldByTheirReason) {
    const TempFolder folder;
    const Result<std::optional<std::string>> missing = ReadWholeFile(folder.Path() / "missing");
    ASSERT_TRUE(missing);
    EXPECT_EQ(*missing, std::nullopt);
    EXPECT_NE(ReasonOf(ReadWholeFile(folder.Path())), ""); // a folder is no file
    EXPECT_EQ(ReasonOf(ReplaceWholeFile(folder.Path(), "x", NewFileAccess::OwnerOnly)), SystemReason(EISDIR));
    EXPECT_EQ(
        ReasonOf(ReplaceWholeFile(folder.Path() / "missing" / "kvt.html", "x", NewFileAccess::OwnerOnly)),
        SystemReason(ENOENT));
    EXPECT_FALSE(SystemReason(EACCES).empty());
}

// The payer file is made before the database library writes to it; one that is there stays.
TEST(WholeFilePaths, OwnerFileIsMadeEmptyOnceAndThenLeftAlone) {
    const TempFolder folder;
    const fs::path file = folder.Path() / "insurers.db";
    EXPECT_TRUE(CreateOwnerFile(file));
    EXPECT_EQ(ReadFile(file), "");
    std::ofstream(file, std::ios::binary) << "stored";
    EXPECT_TRUE(CreateOwnerFile(file));
    EXPECT_EQ(ReadFile(file), "stored");
    EXPECT_EQ(ReasonOf(CreateOwnerFile(folder.Path() / "missing" / "insurers.db")), SystemReason(ENOENT));
}

} // namespace
} // namespace kvitok::testing
