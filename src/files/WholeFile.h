#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace kvitok {

// Files the program keeps (the receipt, the profile) are read and written whole. Failures are
// the C runtime's error numbers (errno) on every platform; 0 means success.

struct FileRead {
    int error = 0; // ENOENT when there is no such file
    std::string bytes;
};

// The whole content of a file; a folder or an unreadable file gives its error, not an empty text.
FileRead ReadWholeFile(const std::filesystem::path& path);

// Replaces the file by `bytes` so that it holds either its old content or the new one, never a
// part: the bytes go to a temporary file in the same folder, every write, the flush to the disk
// and the close are checked, and a rename puts it in place. A symbolic link is followed to the
// file it names and stays a link. A replaced file keeps its mode (and, where the system allows,
// its owner); a new one gets `newFileMode` less the umask (Windows has no modes: the folder's
// security applies). A file we may not write is refused, as opening it for writing would be,
// and a folder is never replaced. A device or pipe has nothing to replace and is written
// straight; so is a file we may write in a folder that refuses the temporary file. On failure
// nothing is left behind and, but for a failed write in place, the old file is as it was.
int ReplaceWholeFile(const std::filesystem::path& path, std::string_view bytes, mode_t newFileMode);

// Makes an empty file readable and writable by its owner only (on Windows an ordinary new file)
// when none is there, so that what a library then writes into it stays private. 0 when the
// file is there afterwards, else the system's error number.
int CreateOwnerFile(const std::filesystem::path& path);

// The reason for an error number, in windows-1251, to be shown to the person.
std::string SystemReason(int error);

} // namespace kvitok
