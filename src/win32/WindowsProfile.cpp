#include "WindowsProfile.h"

#include "WideText.h"

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
    // A value the code page cannot hold is as good as none.
    const std::wstring missing = Wide(defaultValue);
    std::wstring value(kMaxValueLength + 1, L'\0');
    const DWORD length = GetProfileStringW(Wide(WindowsProfile::kSection).c_str(), Wide(key).c_str(),
                                           missing.c_str(), value.data(), static_cast<DWORD>(value.size()));
    value.resize(std::min<std::size_t>(length, kMaxValueLength));
    return Narrow(value).value_or(defaultValue);
}

std::optional<Profile::WriteFailure> WindowsProfile::Write(const std::vector<Entry>& entries) {
    std::optional<WriteFailure> failure = m_ini.Write(entries);
    if (!failure) {
        m_fromWindowsProfile = false;
    }
    return failure;
}

} // namespace kvitok
