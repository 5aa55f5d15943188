#include "UserProfile.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

namespace kvitok {

namespace {

constexpr std::size_t kMaxValueLength = 999;

// The value in win.ini as the older program wrote it: windows-1251 bytes through the ANSI
// profile functions, which give them back byte for byte whatever the system's code page is,
// where the UTF-16 reading would decode them by that code page.
std::string ReadWinIni(const std::string& key, const std::string& defaultValue) {
    std::string value(kMaxValueLength + 1, '\0');
    const DWORD length = GetProfileStringA(UserProfile::kSection, key.c_str(), defaultValue.c_str(),
                                           value.data(), static_cast<DWORD>(value.size()));
    value.resize(std::min<std::size_t>(length, kMaxValueLength));
    return value;
}

bool WinIniHasSection() {
    char keys[64];
    return GetProfileStringA(UserProfile::kSection, nullptr, "", keys, sizeof keys) > 0;
}

// Where Windows put win.ini for a program that wrote it without the right to: the Windows
// folder's path below %LOCALAPPDATA%\VirtualStore. The environment names the folder on every
// Windows that has a virtual store, and asking it keeps the shell's library out of the start.
// Empty when either folder is unknown.
std::filesystem::path VirtualStoreWinIni() {
    const wchar_t* localAppData = _wgetenv(L"LOCALAPPDATA");
    wchar_t windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (localAppData == nullptr || *localAppData == L'\0' || length == 0 || length >= MAX_PATH) {
        return {};
    }
    return std::filesystem::path(localAppData) / L"VirtualStore" /
           std::filesystem::path(windows).relative_path() / L"win.ini";
}

} // namespace

UserProfile::Reader UserProfile::FindOlderForm() {
    if (WinIniHasSection()) {
        return ReadWinIni;
    }
    const std::filesystem::path redirected = VirtualStoreWinIni();
    if (redirected.empty()) {
        return {};
    }
    IniProfile store(redirected, kSection, IniProfile::Encoding::Cp1251);
    if (!store.HasSection()) {
        return {};
    }
    return [store](const std::string& key, const std::string& defaultValue) mutable {
        return store.Read(key, defaultValue);
    };
}

} // namespace kvitok
