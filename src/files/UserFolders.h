#pragma once

#include <filesystem>

namespace kvitok {

// The folders where the desktop's conventions keep a person's own files.

// $variable when it holds an absolute path (anything else is to be ignored), otherwise
// `belowHome` in the home folder: ~/.config for XDG_CONFIG_HOME, ~/.local/share for
// XDG_DATA_HOME.
std::filesystem::path UserBaseFolder(const char* variable, const std::filesystem::path& belowHome);

// Creates the folder and whatever is missing above it, each new one readable by its owner
// only: what the program keeps there holds other people's SNILS, INN and addresses. Returns
// the system's error number, 0 when the folder is there.
int CreateOwnerFolders(const std::filesystem::path& folder);

} // namespace kvitok
