#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace kvitok {

// Files the program keeps (the receipt, the profile) are read and written whole. Failures are
// the system's error numbers; 0 means success.

struct FileRead {
    int error = 0; // ENOENT when there is no such file
    std::string bytes;
};

// The whole content of a file; a folder or an unreadable file gives its error, not an empty text.
FileRead ReadWholeFile(const std::filesystem::path& path);

// Replaces the file by `bytes` so that it holds either its old content or the new one, never a
// part: the bytes go to a temporary file in the same folder, every write and the close are
// checked, and a rename puts it in place. A symbolic link is followed to the file it names and
// stays a link. A replaced file keeps its mode (and, where the system allows, its owner); a new
// one gets `newFileMode` less the umask. A file we may not write is refused, as opening it for
// writing would be, and a folder is never replaced. A device or pipe has nothing to replace and
// is written straight. On failure nothing is left behind and the old file is as it was.
int ReplaceWholeFile(const std::filesystem::path& path, std::string_view bytes, mode_t newFileMode);

// The system's text for an error number, in windows-1251.
std::string SystemReason(int error);

} // namespace kvitok
