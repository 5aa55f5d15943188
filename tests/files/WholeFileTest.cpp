#include "files/WholeFile.h"
#include "files/PathText.h"
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

    EXPECT_EQ(ReplaceWholeFile(file, "first", 0600), 0);
    EXPECT_EQ(ReplaceWholeFile(file, "second", 0600), 0);
    const FileRead read = ReadWholeFile(file);
    EXPECT_EQ(read.error, 0);
    EXPECT_EQ(read.bytes, "second");
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(file.parent_path())) {
        names.push_back(PathToUtf8(entry.path().filename()));
    }
    EXPECT_EQ(names, std::vector<std::string> {"квитанция №1.html"});
    EXPECT_EQ(ReadFile(file), "second"); // the standard library finds it under the same name
}

TEST(WholeFilePaths, ReadsAndFailuresAreToldByTheirNumber) {
    const TempFolder folder;
    EXPECT_EQ(ReadWholeFile(folder.Path() / "missing").error, ENOENT);
    EXPECT_NE(ReadWholeFile(folder.Path()).error, 0); // a folder is no file
    EXPECT_EQ(ReplaceWholeFile(folder.Path(), "x", 0600), EISDIR);
    EXPECT_EQ(ReplaceWholeFile(folder.Path() / "missing" / "kvt.html", "x", 0600), ENOENT);
    EXPECT_FALSE(SystemReason(EACCES).empty());
}

// The payer file is made before the database library writes to it; one that is there stays.
TEST(WholeFilePaths, OwnerFileIsMadeEmptyOnceAndThenLeftAlone) {
    const TempFolder folder;
    const fs::path file = folder.Path() / "insurers.db";
    EXPECT_EQ(CreateOwnerFile(file), 0);
    EXPECT_EQ(ReadFile(file), "");
    std::ofstream(file, std::ios::binary) << "stored";
    EXPECT_EQ(CreateOwnerFile(file), 0);
    EXPECT_EQ(ReadFile(file), "stored");
    EXPECT_EQ(CreateOwnerFile(folder.Path() / "missing" / "insurers.db"), ENOENT);
}

} // namespace
} // namespace kvitok::testing
