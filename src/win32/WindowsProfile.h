#pragma once

#include "form/IniProfile.h"

#include <filesystem>

namespace kvitok {

// The form's profile on Windows: the INI file (%APPDATA%\kvitok\kvitok.ini). Until that file
// exists the form is read from the section "kvt_section" of the Windows profile (win.ini), where
// it was kept before, so that a form saved there comes back once; it is always written to the file.
class WindowsProfile : public Profile {
public:
    explicit WindowsProfile(std::filesystem::path iniFile);

    std::string Read(const std::string& key, const std::string& defaultValue) override;
    std::optional<WriteFailure> Write(const std::vector<Entry>& entries) override;

    static constexpr const char* kSection = "kvt_section";

private:
    IniProfile m_ini;
    bool m_fromWindowsProfile;
};

} // namespace kvitok
