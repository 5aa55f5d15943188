#include "UserProfile.h"

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

} // namespace

UserProfile::Reader UserProfile::FindOlderForm() {
    return ReadWinIni;
}

} // namespace kvitok
