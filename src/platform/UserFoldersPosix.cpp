#include "UserFolders.h"

#include "SystemError.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

namespace kvitok {

namespace {

// $variable when it holds an absolute path (anything else is to be ignored), otherwise
// `belowHome` in the home folder.
std::filesystem::path UserBaseFolder(const char* variable, const std::filesystem::path& belowHome) {
    const char* value = std::getenv(variable);
    if (value != nullptr && std::filesystem::path(value).is_absolute()) {
        return value;
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr && *home != '\0' ? home : ".") / belowHome;
}

int CreateFolders(const std::filesystem::path& folder) {
    std::error_code error;
    if (folder.empty() || std::filesystem::is_directory(folder, error)) {
        return 0;
    }
    if (const int above = CreateFolders(folder.parent_path())) {
        return above;
    }
    return ::mkdir(folder.c_str(), S_IRWXU) == 0 || errno == EEXIST ? 0 : errno;
}

} // namespace

std::filesystem::path UserConfigFolder() {
    return UserBaseFolder("XDG_CONFIG_HOME", ".config");
}

std::filesystem::path UserDataFolder() {
    return UserBaseFolder("XDG_DATA_HOME", ".local/share");
}

std::filesystem::path ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

// Only Windows redirects a program's writes into a store of its own.
std::vector<std::filesystem::path> VirtualStoreProgramFolders() {
    return {};
}

std::filesystem::path VirtualStoreFolder() {
    return {};
}

Result<> TryWritingIn(const std::filesystem::path& folder) {
    std::string probe = (folder / ".kvitok-XXXXXX").string();
    const int file = ::mkstemp(probe.data());
    if (file < 0) {
        return SystemResult(errno);
    }
    ::close(file);
    ::unlink(probe.c_str());
    return {};
}

Result<> CreateOwnerFolders(const std::filesystem::path& folder) {
    return SystemResult(CreateFolders(folder));
}

} // namespace kvitok
