#include "UserFolders.h"

#include "SystemError.h"
#include "Win32Error.h"
#include "Win32Library.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <cerrno>
#include <cstdlib>
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

std::filesystem::path ProgramFolder() {
    std::wstring file(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, file.data(), static_cast<DWORD>(file.size()));
        if (length == 0) {
            return {};
        }
        if (length < file.size()) {
            file.resize(length);
            return std::filesystem::path(file).parent_path();
        }
        file.resize(file.size() * 2);
    }
}

// The environment names the folder on every Windows that has a virtual store, and asking it
// keeps the shell's library out of the start.
std::filesystem::path VirtualStoreFolder() {
    const wchar_t* localAppData = _wgetenv(L"LOCALAPPDATA");
    if (localAppData == nullptr || *localAppData == L'\0') {
        return {};
    }
    return std::filesystem::path(localAppData) / L"VirtualStore";
}

// The store keeps the folders' names on the disk, which are these on every Windows that has
// one, whatever its language.
std::vector<std::filesystem::path> VirtualStoreProgramFolders() {
    const std::filesystem::path store = VirtualStoreFolder();
    if (store.empty()) {
        return {};
    }
    return {store / L"Program Files (x86)", store / L"Program Files"};
}

Result<> TryWritingIn(const std::filesystem::path& folder) {
    const unsigned long long seed =
        GetTickCount64() ^ (static_cast<unsigned long long>(GetCurrentProcessId()) << 32);
    DWORD failure = ERROR_FILE_EXISTS;
    for (unsigned attempt = 0; attempt < 100 && failure == ERROR_FILE_EXISTS; ++attempt) {
        const std::filesystem::path probe =
            folder / (L".kvitok-" + std::to_wstring(seed + attempt) + L".tmp");
        const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return {};
        }
        failure = GetLastError();
    }
    return SystemResult(ErrnoOfWin32Error(failure));
}

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
