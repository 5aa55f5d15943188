#include "UserFolders.h"

#include "SystemError.h"
#include "Win32Error.h"
#include "Win32Library.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace kvitok {

namespace {

// %APPDATA%, asked of the shell rather than the environment; empty when the shell has none,
// so that the program's files go to the working folder. The shell's library brings many more
// with it and is needed again only to open a receipt, so it is let go once asked.
std::filesystem::path AskShellForRoamingAppData() {
    std::filesystem::path result;
    HMODULE shell = LoadSystemLibrary(L"shell32.dll");
    if (shell == nullptr) {
        return result;
    }
    const auto knownFolderPath = reinterpret_cast<decltype(&SHGetKnownFolderPath)>(
        reinterpret_cast<void (*)()>(GetProcAddress(shell, "SHGetKnownFolderPath")));
    PWSTR folder = nullptr;
    if (knownFolderPath != nullptr &&
        SUCCEEDED(knownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &folder))) {
        result = folder;
    }
    CoTaskMemFree(folder);
    FreeLibrary(shell);
    return result;
}

// Asked once a run: the profile and the payer file both live there.
std::filesystem::path RoamingAppData() {
    static const std::filesystem::path folder = AskShellForRoamingAppData();
    return folder;
}

int CreateFolders(const std::filesystem::path& folder) {
    std::error_code error;
    if (folder.empty() || folder == folder.root_path() || std::filesystem::is_directory(folder, error)) {
        return 0;
    }
    if (const int above = CreateFolders(folder.parent_path())) {
        return above;
    }
    if (CreateDirectoryW(folder.c_str(), nullptr)) {
        return 0;
    }
    const DWORD failure = GetLastError();
    if (failure == ERROR_ALREADY_EXISTS) {
        return std::filesystem::is_directory(folder, error) ? 0 : ENOTDIR;
    }
    return ErrnoOfWin32Error(failure);
}

} // namespace

std::filesystem::path UserConfigFolder() {
    return RoamingAppData();
}

std::filesystem::path UserDataFolder() {
    return RoamingAppData();
}

Result<> CreateOwnerFolders(const std::filesystem::path& folder) {
    return SystemResult(CreateFolders(folder));
}

} // namespace kvitok
