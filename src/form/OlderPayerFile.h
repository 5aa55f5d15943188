#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace kvitok {

// The payer file an older copy of the program left behind. It kept "insurers.db" in its working
// folder; installed below Program Files and run by a standard user, it wrote it into Windows'
// virtual store instead, as <folder>\insurers.db or <vendor>\<folder>\insurers.db below one of
// `programFolders`. Of the files there that hold the payer table, the one changed last; nothing
// when there is none. Every file is only read.
std::optional<std::filesystem::path>
FindOlderPayerFile(const std::vector<std::filesystem::path>& programFolders);

} // namespace kvitok
