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
    ASSERT_TRUE(ReceiptFile::Write(path.string(), "first\npage").ok);
    EXPECT_EQ(testing::ReadFile(path), "first\r\npage\r\n");
    const ReceiptFile::Result second = ReceiptFile::Write(path.string(), "x");
    EXPECT_TRUE(second.ok);
    EXPECT_TRUE(second.reason.empty());
    EXPECT_EQ(testing::ReadFile(path), "x\r\n");
}

TEST_F(ReceiptFileTest, ReportsWhyTheFileCannotBeMade) {
    const fs::path missing = m_folder.Path() / "no such folder" / "kvt.html";
    const ReceiptFile::Result result = ReceiptFile::Write(missing.string(), "page");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_FALSE(fs::exists(missing));

    const ReceiptFile::Result folder = ReceiptFile::Write(m_folder.Path().string(), "page");
    EXPECT_FALSE(folder.ok);
    EXPECT_FALSE(folder.reason.empty());
}

} // namespace
} // namespace kvitok
