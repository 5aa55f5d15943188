#pragma once

#include "base/Result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kvitok {

// Files the program keeps (the receipt, the profile) are read and written whole. A failure's
// reason is the system's, in windows-1251, to be shown to the person.

// Who may read a file the program makes: its owner only (the profile and the payer file hold
// other people's SNILS and INN), or everyone the umask allows (the receipt a browser opens).
// Windows has no modes: there the folder's security applies to both.
enum class NewFileAccess { OwnerOnly, Everyone };

// The whole content of a file, nothing when there is no such file; a folder or an unreadable
// file is a failure, not an empty text.
Result<std::optional<std::string>> ReadWholeFile(const std::filesystem::path& path);

// Replaces the file by `bytes` so that it holds either its old content or the new one, never a
// part: the bytes go to a temporary file in the same folder, every write, the flush to the disk
// and the close are checked, and a rename puts it in place. A symbolic link is followed to the
// file it names and stays a link. A replaced file keeps its mode (and, where the system allows,
// its owner); a new one gets `access`. A file we may not write is refused, as opening it for
// writing would be, and a folder is never replaced. A device or pipe has nothing to replace and
// is written straight; so is a file we may write in a folder that refuses the temporary file.
// On failure nothing is left behind and, but for a failed write in place, the old file is as it
// was.
Result<> ReplaceWholeFile(const std::filesystem::path& path, std::string_view bytes, NewFileAccess access);

// Makes an empty file readable and writable by its owner only (on Windows an ordinary new file)
// when none is there, so that what a library then writes into it stays private. Succeeds when
// the file is there afterwards.
Result<> CreateOwnerFile(const std::filesystem::path& path);

// How a line of a text file made here ends: CR LF on Windows, LF elsewhere.
std::string_view NativeLineEnding();

} // namespace kvitok
