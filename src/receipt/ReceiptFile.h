#pragma once

#include "base/Result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kvitok {

// Writes the receipt file: the pages as they stand followed by one line feed, every line
// feed stored as CR LF so that the file reads the same wherever it is opened.
class ReceiptFile {
public:
    // The file is replaced whole or not at all (see ReplaceWholeFile): on any failure the old
    // file is as it was, nothing is left beside it, and the reason is the system's.
    static Result<> Write(const std::filesystem::path& path, std::string_view pages);

    // The bytes that Write stores for the given pages.
    static std::string WithCrLf(std::string_view pages);
};

} // namespace kvitok
