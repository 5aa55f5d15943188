#include "UserFolders.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace kvitok {

std::filesystem::path UserBaseFolder(const char* variable, const std::filesystem::path& belowHome) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value == '/') {
        return value;
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr && *home != '\0' ? home : ".") / belowHome;
}

int CreateOwnerFolders(const std::filesystem::path& folder) {
    std::error_code error;
    if (folder.empty() || std::filesystem::is_directory(folder, error)) {
        return 0;
    }
    if (const int above = CreateOwnerFolders(folder.parent_path())) {
        return above;
    }
    return ::mkdir(folder.c_str(), S_IRWXU) == 0 || errno == EEXIST ? 0 : errno;
}

} // namespace kvitok
