#pragma once

#include "base/Result.h"

#include <filesystem>
#include <vector>

namespace kvitok {

// The folders where the platform's conventions keep a person's own files.

// Settings: $XDG_CONFIG_HOME when it holds an absolute path, else ~/.config; on Windows the
// roaming application data folder (%APPDATA%).
std::filesystem::path UserConfigFolder();

// Data files: $XDG_DATA_HOME when it holds an absolute path, else ~/.local/share; on Windows
// the roaming application data folder as well.
std::filesystem::path UserDataFolder();

// The folder holding the running program's executable; empty when the system does not say.
std::filesystem::path ProgramFolder();

// Where Windows keeps what an older program, run without a manifest by a standard user, wrote
// into a system folder: %LOCALAPPDATA%\VirtualStore. Empty where there is no such store.
std::filesystem::path VirtualStoreFolder();

// Its folders for what such a program wrote below Program Files; none where there is no store.
std::vector<std::filesystem::path> VirtualStoreProgramFolders();

// Succeeds when a new file can be made in the folder, found by making one and removing it: a
// read-only medium, the folder's security or a full disk shows only by trying.
Result<> TryWritingIn(const std::filesystem::path& folder);

// Creates the folder and whatever is missing above it, each new one readable by its owner
// only (where the system has modes): what the program keeps there holds other people's SNILS,
// INN and addresses. Succeeds when the folder is there afterwards.
Result<> CreateOwnerFolders(const std::filesystem::path& folder);

} // namespace kvitok
