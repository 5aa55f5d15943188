#pragma once

#include "base/Result.h"

#include <filesystem>

namespace kvitok {

// The folders where the platform's conventions keep a person's own files.

// Settings: $XDG_CONFIG_HOME when it holds an absolute path, else ~/.config; on Windows the
// roaming application data folder (%APPDATA%).
std::filesystem::path UserConfigFolder();

// Data files: $XDG_DATA_HOME when it holds an absolute path, else ~/.local/share; on Windows
// the roaming application data folder as well.
std::filesystem::path UserDataFolder();

// Creates the folder and whatever is missing above it, each new one readable by its owner
// only (where the system has modes): what the program keeps there holds other people's SNILS,
// INN and addresses. Succeeds when the folder is there afterwards.
Result<> CreateOwnerFolders(const std::filesystem::path& folder);

} // namespace kvitok
