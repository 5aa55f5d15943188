#include "IniProfile.h"

#include "PathText.h"
#include "UserFolders.h"
#include "WholeFile.h"
#include "text/Cp1251.h"
#include "text/Utf8.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace kvitok {

namespace {

constexpr std::size_t kMaxValueLength = 999;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r';
    };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return Lower(x) == Lower(y);
    });
}

std::string LowerName(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
    return lower;
}

bool IsUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Step step = DecodeUtf8(text, pos);
        if (step.length == 0) {
            return false;
        }
        pos += step.length;
    }
    return true;
}

// The section name of a "[name]" line.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        return Trim(line.substr(1, line.size() - 2));
    }
    return std::nullopt;
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> EntryOf(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || Trim(line).starts_with(';') || Trim(line).starts_with('#')) {
        return std::nullopt;
    }
    return KeyValue {Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 &&
        ((value.front() == '"' && value.back() == '"') || (value.front() == '\'' && value.back() == '\''))) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

std::string QuoteIfNeeded(const std::string& value) {
    if (value.empty()) {
        return value;
    }
    const bool blankAtEnds = Trim(value).size() != value.size();
    const bool looksQuoted = Unquote(value).size() != value.size();
    return blankAtEnds || looksQuoted ? '"' + value + '"' : value;
}

// The form's fields are single lines; a line break would end the entry in the file.
std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(),
        [](char c) {
            return c == '\n' || c == '\r';
        },
        ' ');
    return text;
}

// The file as lines without their endings. A text editor's byte order mark does not hide the
// first line from the reader, and stays where it was.
struct Lines {
    explicit Lines(std::string_view text) {
        if (text.starts_with(kByteOrderMark)) {
            byteOrderMark = kByteOrderMark;
            text.remove_prefix(kByteOrderMark.size());
        }
        std::size_t crLf = 0;
        std::size_t lf = 0;
        // A last line without its line feed still counts, as for a line-by-line reader.
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            std::string_view line = text.substr(0, end);
            if (end != std::string_view::npos) {
                ++(line.ends_with('\r') ? crLf : lf);
            }
            while (line.ends_with('\r')) {
                line.remove_suffix(1);
            }
            lines.emplace_back(line);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        }
        ending = crLf > lf ? "\r\n" : lf > crLf ? "\n" : NativeLineEnding();
    }

    std::string Text() const {
        std::string text = byteOrderMark;
        for (const std::string& line : lines) {
            text += line;
            text += ending;
        }
        return text;
    }

    std::string byteOrderMark;
    std::vector<std::string> lines;
    std::string_view ending;
};

// The file's lines; none when it is not there or cannot be read.
Lines LinesOf(const std::filesystem::path& file) {
    const Result<std::optional<std::string>> bytes = ReadWholeFile(file);
    return Lines(bytes && *bytes ? std::string_view(**bytes) : std::string_view());
}

} // namespace

IniProfile::IniProfile(std::filesystem::path file, std::string section, Encoding encoding)
    : m_file(std::move(file)), m_section(std::move(section)), m_encoding(encoding) {}

std::optional<std::string> IniProfile::Decode(std::string_view value) const {
    if (m_encoding == Encoding::Cp1251) {
        return std::string(value);
    }
    if (std::optional<std::string> text = Utf8ToCp1251(value)) {
        return text;
    }
    // Not UTF-8 at all: windows-1251 bytes, which is what the program's texts are.
    if (!IsUtf8(value)) {
        return std::string(value);
    }
    return std::nullopt;
}

std::string IniProfile::Read(const std::string& key, const std::string& defaultValue) {
    const Lines file = LinesOf(m_file);
    bool inSection = false;
    for (const std::string& line : file.lines) {
        if (const auto section = SectionName(line)) {
            inSection = SameName(*section, m_section);
        } else if (inSection) {
            const auto entry = EntryOf(line);
            if (entry && SameName(entry->key, key)) {
                std::optional<std::string> value = Decode(Unquote(entry->value));
                if (!value) {
                    m_unreadable[LowerName(key)] = defaultValue;
                    return defaultValue;
                }
                m_unreadable.erase(LowerName(key));
                value->resize(std::min(value->size(), kMaxValueLength));
                return *value;
            }
        }
    }
    return defaultValue;
}

bool IniProfile::HasSection() const {
    const Lines file = LinesOf(m_file);
    bool inSection = false;
    for (const std::string& line : file.lines) {
        if (const auto section = SectionName(line)) {
            inSection = SameName(*section, m_section);
        } else if (inSection && EntryOf(line)) {
            return true;
        }
    }
    return false;
}

void IniProfile::SetEntry(std::vector<std::string>& lines, const Entry& entry) const {
    const std::string value = m_encoding == Encoding::Utf8 ? Cp1251ToUtf8(entry.value) : entry.value;
    const std::string text = entry.key + '=' + QuoteIfNeeded(OneLine(value));
    const auto unreadable = m_unreadable.find(LowerName(entry.key));
    bool inSection = false;
    std::optional<std::size_t> sectionEnd; // where a new key of the section goes
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto section = SectionName(lines[i])) {
            inSection = SameName(*section, m_section);
            if (inSection) {
                sectionEnd = i + 1;
            }
        } else if (inSection) {
            const auto existing = EntryOf(lines[i]);
            if (existing && SameName(existing->key, entry.key)) {
                // What could not be read, given back as it was read, is still what the file holds.
                const bool keep = unreadable != m_unreadable.end() && unreadable->second == entry.value &&
                                  !Decode(Unquote(existing->value));
                if (!keep) {
                    lines[i] = text;
                }
                return;
            }
            if (!Trim(lines[i]).empty()) {
                sectionEnd = i + 1;
            }
        }
    }
    if (sectionEnd) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), text);
        return;
    }
    if (!lines.empty() && !Trim(lines.back()).empty()) {
        lines.emplace_back();
    }
    lines.push_back('[' + m_section + ']');
    lines.push_back(text);
}

Result<> IniProfile::Write(const std::vector<Entry>& entries) {
    const auto failure = [this](const std::string& reason) {
        return Failure {PathToText(m_file) + ": " + reason};
    };
    const Result<std::optional<std::string>> current = ReadWholeFile(m_file);
    if (!current) {
        return failure(current.Reason());
    }
    Lines file(current->value_or(std::string()));
    for (const Entry& entry : entries) {
        SetEntry(file.lines, entry);
    }
    if (const Result<> folder = CreateOwnerFolders(m_file.parent_path()); !folder) {
        return failure(folder.Reason());
    }
    if (const Result<> replaced = ReplaceWholeFile(m_file, file.Text(), NewFileAccess::OwnerOnly);
        !replaced) {
        return failure(replaced.Reason());
    }
    return {};
}

} // namespace kvitok
