#include "receipt/ReceiptFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace kvitok {
namespace {

namespace fs = std::filesystem;

TEST(ReceiptFilePosix, ReportsAFullDevice) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    const Result<> result = ReceiptFile::Write("/dev/full", std::string(1 << 16, 'x'));
    ASSERT_FALSE(result);
    EXPECT_FALSE(result.Reason().empty());
}

} // namespace
} // namespace kvitok
