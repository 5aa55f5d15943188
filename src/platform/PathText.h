#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kvitok {

// Paths meet the program's texts (windows-1251) and UTF-8 libraries (SQLite) only through
// these: on Windows a path is UTF-16, and the system's own code page must never decide how a
// Cyrillic name is spelt.

std::filesystem::path PathFromText(std::string_view cp1251);
// In windows-1251; a name that code page 1251 cannot hold keeps its UTF-8 bytes.
std::string PathToText(const std::filesystem::path& path);

// For a message: in windows-1251, a character code page 1251 lacks written as its nearest (a
// Latin letter's base letter, else a question mark), so that the path still reads.
std::string PathToReadableText(const std::filesystem::path& path);

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

} // namespace kvitok
