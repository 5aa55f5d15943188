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
    // How the values are spelt in the file. This program writes UTF-8 and takes a value that is
    // not UTF-8 as windows-1251, as a person copying an old form by hand may have written it; an
    // older program wrote windows-1251 only.
    enum class Encoding { Utf8, Cp1251 };

    IniProfile(std::filesystem::path file, std::string section, Encoding encoding = Encoding::Utf8);

    // A UTF-8 value with a character that code page 1251 lacks reads as `defaultValue`; written
    // back unchanged, it keeps its line, so that no value is lost for having been unreadable.
    std::string Read(const std::string& key, const std::string& defaultValue) override;
    Result<> Write(const std::vector<Entry>& entries) override;

    // True when the file holds at least one key of the section.
    bool HasSection() const;

    const std::filesystem::path& File() const { return m_file; }

private:
    std::optional<std::string> Decode(std::string_view value) const;
    void SetEntry(std::vector<std::string>& lines, const Entry& entry) const;

    std::filesystem::path m_file;
    std::string m_section;
    Encoding m_encoding;
    // The keys read as their default because their value could not be read: key -> that default.
    std::map<std::string, std::string> m_unreadable;
};

} // namespace kvitok
