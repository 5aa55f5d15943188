#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <filesystem>

namespace kvitok::testing {

// The permission bits of a file (POSIX), 0 when it cannot be read.
inline mode_t ModeOf(const std::filesystem::path& file) {
    struct stat status {};
    return stat(file.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

} // namespace kvitok::testing
