#include "receipt/ReceiptFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace kvitok {
namespace {

namespace fs = std::filesystem;

class ReceiptFileTest : public ::testing::Test {
protected:
    testing::TempFolder m_folder;
};

TEST(ReceiptFileBytes, EveryLineFeedBecomesCrLfOnce) {
    struct Case {
        std::string pages;
        std::string stored;
    };
    const Case cases[] = {
        {"", "\r\n"},
        {"<html>\n</html>", "<html>\r\n</html>\r\n"},
        {"a\n\nb\n", "a\r\n\r\nb\r\n\r\n"},
        {"a\r\nb", "a\r\nb\r\n"}, // already CR LF: not doubled
        {"\na\rb", "\r\na\rb\r\n"},
        {std::string("a\0b", 3), std::string("a\0b\r\n", 5)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReceiptFile::WithCrLf(c.pages), c.stored);
    }
}

TEST_F(ReceiptFileTest, WritesOrReplacesTheFile) {
    const fs::path path = m_folder.Path() / "kvt.html";
    ASSERT_TRUE(ReceiptFile::Write(path.string(), "first\npage"));
    EXPECT_EQ(testing::ReadFile(path), "first\r\npage\r\n");
    EXPECT_TRUE(ReceiptFile::Write(path.string(), "x"));
    EXPECT_EQ(testing::ReadFile(path), "x\r\n");
}

TEST_F(ReceiptFileTest, ReportsWhyTheFileCannotBeMade) {
    const fs::path missing = m_folder.Path() / "no such folder" / "kvt.html";
    const Result<> result = ReceiptFile::Write(missing.string(), "page");
    ASSERT_FALSE(result);
    EXPECT_FALSE(result.Reason().empty());
    EXPECT_FALSE(fs::exists(missing));

    const Result<> folder = ReceiptFile::Write(m_folder.Path().string(), "page");
    ASSERT_FALSE(folder);
    EXPECT_FALSE(folder.Reason().empty());
}

} // namespace
} // namespace kvitok
