#pragma once

#include "Profile.h"

#include <filesystem>
#include <string>

namespace kvitok {

// The saved form state as one section of an INI file with UTF-8 values. Every read looks at
// the file as it is now. A write replaces the whole file at once (see ReplaceWholeFile),
// keeping other sections, keys and lines byte for byte; a file that is there but cannot be
// read is never written, since its other sections would be lost. A new file is readable by its
// owner only: it holds the payer's SNILS and INN.
// Keys and section names match without regard to case, blanks around them do not count, and
// a value written with blanks at its ends or in quotes is quoted so it reads back the same.
class IniProfile : public Profile {
public:
    IniProfile(std::filesystem::path file, std::string section);

    std::string Read(const std::string& key, const std::string& defaultValue) override;
    Result<> Write(const std::vector<Entry>& entries) override;

    const std::filesystem::path& File() const { return m_file; }

private:
    void SetEntry(std::vector<std::string>& lines, const Entry& entry) const;

    std::filesystem::path m_file;
    std::string m_section;
};

} // namespace kvitok
