#include "ReceiptFile.h"

#include "platform/WholeFile.h"

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

Result<> ReceiptFile::Write(const std::filesystem::path& path, std::string_view pages) {
    // Read and write for everyone the umask allows, as a file the browser opens should be.
    return ReplaceWholeFile(path, WithCrLf(pages), NewFileAccess::Everyone);
}

} // namespace kvitok
