#include "WindowsProfile.h"

#include <algorithm>
#include <system_error>

#include <windows.h>

namespace kvitok {

namespace {

constexpr std::size_t kMaxValueLength = 999;

} // namespace

WindowsProfile::WindowsProfile(std::filesystem::path iniFile) : m_ini(std::move(iniFile), kSection) {
    std::error_code error;
    m_fromWindowsProfile = !std::filesystem::exists(m_ini.File(), error) && !error;
}

std::string WindowsProfile::Read(const std::string& key, const std::string& defaultValue) {
    if (!m_fromWindowsProfile) {
        return m_ini.Read(key, defaultValue);
    }
    // The form was written there as windows-1251 bytes through the ANSI profile functions; read
    // the same way they come back byte for byte, whatever the system's code page is, where the
    // UTF-16 reading would decode them by that code page.
    std::string value(kMaxValueLength + 1, '\0');
    const DWORD length = GetProfileStringA(kSection, key.c_str(), defaultValue.c_str(), value.data(),
                                           static_cast<DWORD>(value.size()));
    value.resize(std::min<std::size_t>(length, kMaxValueLength));
    return value;
}

std::optional<Profile::WriteFailure> WindowsProfile::Write(const std::vector<Entry>& entries) {
    std::optional<WriteFailure> failure = m_ini.Write(entries);
    if (!failure) {
        m_fromWindowsProfile = false;
    }
    return failure;
}

} // namespace kvitok
