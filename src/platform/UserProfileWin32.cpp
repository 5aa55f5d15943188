#include "UserProfile.h"

#include "UserFolders.h"

#include <windows.h>

#include <algorithm>

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
// folder's path below the virtual store. Empty when either folder is unknown.
std::filesystem::path VirtualStoreWinIni() {
    const std::filesystem::path store = VirtualStoreFolder();
    wchar_t windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (store.empty() || length == 0 || length >= MAX_PATH) {
        return {};
    }
    return store / std::filesystem::path(windows).relative_path() / L"win.ini";
}

} // namespace

// An older copy run by a standard user read and wrote the virtual store's copy, so where both
// hold a form that one is the later.
UserProfile::Reader UserProfile::FindOlderForm() {
    if (const std::filesystem::path redirected = VirtualStoreWinIni(); !redirected.empty()) {
        IniProfile store(redirected, kSection, IniProfile::Encoding::Cp1251);
        if (store.HasSection()) {
            return [store](const std::string& key, const std::string& defaultValue) mutable {
                return store.Read(key, defaultValue);
            };
        }
    }
    if (WinIniHasSection()) {
        return ReadWinIni;
    }
    return {};
}

} // namespace kvitok
