#include "IniProfile.h"

#include "PathText.h"
#include "UserFolders.h"
#include "WholeFile.h"
#include "text/Cp1251.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace kvitok {

namespace {

constexpr std::size_t kMaxValueLength = 999;

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

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        };
        return lower(x) == lower(y);
    });
}

// Lines as a line-by-line reader sees them: a last line without its line feed still counts.
std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// The section name of a "[name]" line.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        return Trim(line.substr(1, line.size() - 2));
    }
    return std::nullopt;
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

std::optional<Entry> KeyValue(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || Trim(line).starts_with(';') || Trim(line).starts_with('#')) {
        return std::nullopt;
    }
    return Entry {Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
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

} // namespace

IniProfile::IniProfile(std::filesystem::path file, std::string section)
    : m_file(std::move(file)), m_section(std::move(section)) {}

std::string IniProfile::Read(const std::string& key, const std::string& defaultValue) {
    bool inSection = false;
    const Result<std::optional<std::string>> file = ReadWholeFile(m_file);
    for (const std::string& line : SplitLines(file && *file ? **file : std::string())) {
        if (const auto section = SectionName(line)) {
            inSection = SameName(*section, m_section);
        } else if (inSection) {
            const auto entry = KeyValue(line);
            if (entry && SameName(entry->key, key)) {
                std::optional<std::string> value = Utf8ToCp1251(Unquote(entry->value));
                if (!value) {
                    return defaultValue;
                }
                value->resize(std::min(value->size(), kMaxValueLength));
                return *value;
            }
        }
    }
    return defaultValue;
}

void IniProfile::SetEntry(std::vector<std::string>& lines, const Entry& entry) const {
    const std::string text = entry.key + '=' + QuoteIfNeeded(OneLine(Cp1251ToUtf8(entry.value)));
    bool inSection = false;
    std::optional<std::size_t> sectionEnd; // where a new key of the section goes
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto section = SectionName(lines[i])) {
            inSection = SameName(*section, m_section);
            if (inSection) {
                sectionEnd = i + 1;
            }
        } else if (inSection) {
            const auto existing = KeyValue(lines[i]);
            if (existing && SameName(existing->key, entry.key)) {
                lines[i] = text;
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
    std::vector<std::string> lines = SplitLines(current->value_or(std::string()));
    for (const Entry& entry : entries) {
        SetEntry(lines, entry);
    }
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    if (const Result<> folder = CreateOwnerFolders(m_file.parent_path()); !folder) {
        return failure(folder.Reason());
    }
    if (const Result<> replaced = ReplaceWholeFile(m_file, text, NewFileAccess::OwnerOnly); !replaced) {
        return failure(replaced.Reason());
    }
    return {};
}

} // namespace kvitok
