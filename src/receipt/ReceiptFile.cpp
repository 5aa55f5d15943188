#include "ReceiptFile.h"

#include "text/Cp1251.h"
#include "text/Format.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace kvitok {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// strerror speaks the locale's encoding (UTF-8 or ASCII here); the program's texts are
// windows-1251, and a reason that cannot be converted is given by its number.
std::string SystemReason(int error) {
    if (auto text = Utf8ToCp1251(std::strerror(error))) {
        return *text;
    }
    return FormatText("errno %d", error);
}

} // namespace

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

ReceiptFile::Result ReceiptFile::Write(const std::string& path, std::string_view pages) {
    const std::string bytes = WithCrLf(pages);
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return {false, SystemReason(errno)};
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
        std::fflush(file.get()) != 0) {
        const int error = errno;
        return {false, SystemReason(error != 0 ? error : EIO)};
    }
    if (std::fclose(file.release()) != 0) {
        return {false, SystemReason(errno)};
    }
    return {true, {}};
}

} // namespace kvitok
