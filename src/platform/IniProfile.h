#pragma once

#include "Profile.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kvitok {

// The form kept as one section of an INI file. Every read looks at the file as it is now. A
// write replaces the whole file at once (see ReplaceWholeFile), keeping other sections, keys and
// lines byte for byte but for their line ending: the file is written with the one most of its
// lines have (the platform's own for a new file). A file that is there but cannot be read is
// never written, since its other sections would be lost. A new file is readable by its owner
// only: it holds the payer's SNILS and INN.
// Keys and section names match without regard to case, blanks around them do not count, and a
// value written with blanks at its ends or in quotes is quoted so that it reads back the same.
class IniProfile : public Profile {
public:
    IniProfile(std::filesystem::path file, std::string section);

    // Values are UTF-8; one that is not is taken as windows-1251, as a person copying an old
    // form by hand may have written it. A UTF-8 value with a character that code page 1251 lacks
    // reads as `defaultValue`; written back unchanged, it keeps its line, so that no value is lost
    // for having been unreadable.
    std::string Read(const std::string& key, const std::string& defaultValue) override;
    Result<> Write(const std::vector<Entry>& entries) override;

    const std::filesystem::path& File() const { return m_file; }

private:
    struct Lines;

    std::optional<std::string> Decode(std::string_view value) const;
    void SetEntry(Lines& file, const Entry& entry) const;

    std::filesystem::path m_file;
    std::string m_section;
    // The keys read as their default because their value could not be read: key -> that default.
    std::map<std::string, std::string> m_unreadable;
};

} // namespace kvitok
