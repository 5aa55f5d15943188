#pragma once

#include "IniProfile.h"

#include <filesystem>
#include <functional>

namespace kvitok {

// The person's own profile, which both windows keep the form in: the INI file in their settings
// folder. While that file does not exist, a form that an older copy of the program kept where
// the platform keeps such things is read in its place, so that it comes back once; every write
// goes to the file, and from then on only the file counts. On Windows the older copy kept the
// form in the section "kvt_section" of win.ini, or, run without a manifest by a standard user,
// in the copy of win.ini that Windows redirected into the user's virtual store; where both hold
// one, that copy's goes first, as such a copy read and wrote it last. Elsewhere there is nothing
// to take over.
class UserProfile : public Profile {
public:
    static constexpr const char* kSection = "kvt_section";

    explicit UserProfile(std::filesystem::path iniFile = DefaultPath());

    // $XDG_CONFIG_HOME/kvitok/kvitok.ini (~/.config/kvitok/kvitok.ini when it is not set);
    // %APPDATA%\kvitok\kvitok.ini on Windows.
    static std::filesystem::path DefaultPath();

    std::string Read(const std::string& key, const std::string& defaultValue) override;
    Result<> Write(const std::vector<Entry>& entries) override;

private:
    using Reader = std::function<std::string(const std::string& key, const std::string& defaultValue)>;

    // Reads the form the platform kept before there was a file of ours; empty when it kept none.
    static Reader FindOlderForm();

    IniProfile m_ini;
    Reader m_olderForm; // read in place of the file until the file is written
};

} // namespace kvitok
