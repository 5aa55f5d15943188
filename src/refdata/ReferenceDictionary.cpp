#include "ReferenceDictionary.h"

#include "ReferenceTable.h"

#include "text/NumberText.h"

namespace kvitok {

ReferenceDictionary::ReferenceDictionary() {
    for (const ReferenceRow& row : ReferenceRows()) {
        if (row.key == "END") {
            break;
        }
        m_entries.insert_or_assign(std::string(row.key), std::string(row.value));
    }
}

std::string ReferenceDictionary::Lookup(std::string_view key) const {
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? std::string() : it->second;
}

int ReferenceDictionary::LookupInt(std::string_view key) const {
    return AtoI(Lookup(key));
}

double ReferenceDictionary::LookupDouble(std::string_view key) const {
    return AtoF(Lookup(key));
}

std::vector<std::string> ReferenceDictionary::CountedRun(std::string_view prefix) const {
    std::vector<std::string> values;
    for (int n = 1;; ++n) {
        std::string value = Lookup(std::string(prefix) + IntToText(n));
        if (value.empty()) {
            return values;
        }
        values.push_back(std::move(value));
    }
}

} // namespace kvitok
