#include "UserProfile.h"

#include "UserFolders.h"

#include <system_error>

namespace kvitok {

UserProfile::UserProfile(std::filesystem::path iniFile) : m_ini(std::move(iniFile), kSection) {
    std::error_code error;
    if (!std::filesystem::exists(m_ini.File(), error) && !error) {
        m_olderForm = FindOlderForm();
    }
}

std::filesystem::path UserProfile::DefaultPath() {
    return UserConfigFolder() / "kvitok" / "kvitok.ini";
}

std::string UserProfile::Read(const std::string& key, const std::string& defaultValue) {
    return m_olderForm ? m_olderForm(key, defaultValue) : m_ini.Read(key, defaultValue);
}

Result<> UserProfile::Write(const std::vector<Entry>& entries) {
    Result<> written = m_ini.Write(entries);
    if (written) {
        m_olderForm = nullptr;
    }
    return written;
}

} // namespace kvitok
