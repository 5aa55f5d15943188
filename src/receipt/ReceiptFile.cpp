#include "ReceiptFile.h"

#include "files/WholeFile.h"

namespace kvitok {

std::string ReceiptFile::WithCrLf(std::string_view pages) {
    std::string bytes;
    bytes.reserve(pages.size() + pages.size() / 32 + 2);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        // A line feed that already has its carriage return keeps the one it has.
        if (pages[i] == '\n' && (i == 0 || pages[i - 1] != '\r')) {
            bytes.push_back('\r');
        }
        bytes.push_back(pages[i]);
    }
    bytes += "\r\n";
    return bytes;
}

ReceiptFile::Result ReceiptFile::Write(const std::filesystem::path& path, std::string_view pages) {
    // Read and write for everyone the umask allows, as a file the browser opens should be.
    if (const int error = ReplaceWholeFile(path, WithCrLf(pages), 0666)) {
        return {false, SystemReason(error)};
    }
    return {true, {}};
}

} // namespace kvitok
