#pragma once

#include <string>
#include <string_view>

namespace kvitok {

// Writes the receipt file: the pages as they stand followed by one line feed, every line
// feed stored as CR LF so that the file reads the same wherever it is opened.
class ReceiptFile {
public:
    struct Result {
        bool ok = false;
        std::string reason; // the system's reason (windows-1251) when ok is false
    };

    // When the file cannot be created nothing is written and the reason says why; a failure
    // while writing or closing is reported the same way.
    static Result Write(const std::string& path, std::string_view pages);

    // The bytes that Write stores for the given pages.
    static std::string WithCrLf(std::string_view pages);
};

} // namespace kvitok
