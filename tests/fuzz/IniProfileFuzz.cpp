// The profile file: after a write every written key reads back as written, every other key of
// every section reads as before, every other line of the file stays as it was, and all lines end
// alike. Reads change nothing.
#include "FuzzSupport.h"
#include "platform/IniProfile.h"

#include <algorithm>
#include <array>
#include <map>

namespace {

using kvitok::IniProfile;
using kvitok::Profile;

constexpr std::array<const char*, 20> kKeys = {
    "kvt_insurer",  "kvt_addr",     "kvt_stat",     "kvt_kbk",    "kvt_inn",  "kvt_regnum", "kvt_snils",
    "kvt_bornyear", "kvt_per",      "kvt_year",     "kvt_oktmo",  "kvt_rub",  "kvt_kop",    "kvt_revrub",
    "kvt_revkop",   "kvt_filename", "kvt_fromDate", "kvt_toDate", "KVT_Addr", "other"};
constexpr std::array<const char*, 2> kSections = {"kvt_section", "other"};

using Values = std::map<std::string, std::string>; // "section/key" -> value

Values ReadAll(const std::filesystem::path& file) {
    Values values;
    for (const char* section : kSections) {
        IniProfile profile(file, section);
        for (const char* key : kKeys) {
            values[std::string(section) + '/' + key] = profile.Read(key, "(absent)");
        }
    }
    return values;
}

// How a value comes back: on one line, through UTF-8 (0x98 has no character and returns as
// 0x7F), cut to 999 characters.
std::string AsReadBack(std::string value) {
    std::replace(value.begin(), value.end(), '\n', ' ');
    std::replace(value.begin(), value.end(), '\r', ' ');
    std::replace(value.begin(), value.end(), '\x98', '\x7f');
    value.resize(std::min<std::size_t>(value.size(), 999));
    return value;
}

// The lines without their endings, which a write may change.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        while (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// Every line feed has a carriage return before it, or none has.
bool OneLineEnding(const std::string& text) {
    std::size_t crLf = 0;
    std::size_t lf = 0;
    for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1)) {
        ++(i > 0 && text[i - 1] == '\r' ? crLf : lf);
    }
    return crLf == 0 || lf == 0;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameKey(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) {
        return lower(x) == lower(y);
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    std::vector<Profile::Entry> entries(in.ConsumeIntegralInRange(1, 3));
    for (Profile::Entry& entry : entries) {
        entry.key = kKeys[in.ConsumeIntegralInRange<std::size_t>(0, kKeys.size() - 1)];
        entry.value = in.ConsumeRandomLengthString(1200);
    }
    const std::string before = in.ConsumeRemainingBytesAsString();
    const std::filesystem::path file = kvitok::fuzz::Folder() / "kvitok.ini";
    kvitok::fuzz::WriteBytes(file, before);

    const Values old = ReadAll(file);
    FUZZ_CHECK(kvitok::fuzz::ReadBytes(file) == before);
    FUZZ_CHECK(IniProfile(file, "kvt_section").Write(entries));
    const std::string after = kvitok::fuzz::ReadBytes(file);
    FUZZ_CHECK(OneLineEnding(after));

    Values expected = old;
    for (const Profile::Entry& entry : entries) {
        for (const char* key : kKeys) {
            if (SameKey(key, entry.key)) {
                expected[std::string("kvt_section/") + key] = AsReadBack(entry.value);
            }
        }
    }
    FUZZ_CHECK(ReadAll(file) == expected);

    // The old lines stand in the new file in their order, but for those of the written keys,
    // which the entries replace; the lines added between them are entries, the section's
    // header or a blank line before it.
    const std::vector<std::string> oldLines = Lines(before);
    const std::vector<std::string> newLines = Lines(after);
    const auto isEntryOf = [&](const std::string& line, bool asWritten) {
        return std::any_of(entries.begin(), entries.end(), [&](const Profile::Entry& entry) {
            const std::size_t equals = line.find('=');
            if (equals == std::string::npos) {
                return false;
            }
            const std::string_view key = asWritten ? std::string_view(line).substr(0, equals)
                                                   : Trim(std::string_view(line).substr(0, equals));
            return SameKey(key, entry.key) && (!asWritten || key == entry.key);
        });
    };
    const auto added = [&](const std::string& line) {
        return line.empty() || line == "[kvt_section]" || isEntryOf(line, true);
    };
    std::size_t j = 0;
    std::size_t replaced = 0;
    for (const std::string& line : oldLines) {
        while (j < newLines.size() && newLines[j] != line &&
               !(isEntryOf(line, false) && isEntryOf(newLines[j], true))) {
            FUZZ_CHECK(added(newLines[j]));
            ++j;
        }
        FUZZ_CHECK(j < newLines.size());
        replaced += newLines[j] != line ? 1 : 0;
        ++j;
    }
    for (; j < newLines.size(); ++j) {
        FUZZ_CHECK(added(newLines[j]));
    }
    FUZZ_CHECK(replaced <= entries.size());
    FUZZ_CHECK(newLines.size() <= oldLines.size() + entries.size() + 2);
    return 0;
}
