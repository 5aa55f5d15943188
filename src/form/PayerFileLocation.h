#pragma once

#include <filesystem>

namespace kvitok {

// Where the payer file lives. "insurers.db" in the working folder when there is one there, so
// that a file brought from elsewhere keeps working; otherwise $XDG_DATA_HOME/kvitok/insurers.db
// (~/.local/share/kvitok/insurers.db when that is not set; %APPDATA%\kvitok\insurers.db on
// Windows), so that a start from the desktop's
// menu, whose working folder is the home folder or one the person cannot write, finds the
// same file every time. Missing folders on the way are created readable by their owner only:
// the file holds other people's SNILS, INN and addresses.
std::filesystem::path PayerFilePath();

// The same with `dataFolder` in place of the user's data folder.
std::filesystem::path PayerFilePath(const std::filesystem::path& dataFolder);

} // namespace kvitok
