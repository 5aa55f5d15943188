#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kvitok {

// Every code, status, period mark, switch list, tariff and payee detail the program knows,
// as an ordered map of windows-1251 keys to values. A missing key reads as the empty text,
// 0 or 0.0, and cannot be told from a key whose value is empty.
class ReferenceDictionary {
public:
    ReferenceDictionary();
    virtual ~ReferenceDictionary() = default;

    std::string Lookup(std::string_view key) const;
    int LookupInt(std::string_view key) const;
    double LookupDouble(std::string_view key) const;

    // The values of a numbered family <prefix>1, <prefix>2, ... up to the first key that is
    // missing or empty: CountedRun("PER_") gives the 17 period marks.
    std::vector<std::string> CountedRun(std::string_view prefix) const;

    std::size_t Size() const { return m_entries.size(); }

private:
    std::map<std::string, std::string, std::less<>> m_entries;
};

} // namespace kvitok
