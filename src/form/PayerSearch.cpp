#include "PayerSearch.h"

#include "text/Cp1251Table.h"

#include <algorithm>
#include <array>

namespace kvitok {

namespace {

constexpr bool IsWordCodePoint(char32_t cp) {
    return (cp >= '0' && cp <= '9') || (cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z') ||
           (cp >= 0x0400 && cp <= 0x045F) || cp == 0x0490 || cp == 0x0491;
}

// The one form in which typed and stored texts are compared: small letters, е for ё, a blank for
// a no-break space.
constexpr char32_t FoldedCodePoint(char32_t cp) {
    if ((cp >= 'A' && cp <= 'Z') || (cp >= 0x0410 && cp <= 0x042F)) {
        cp += 0x20;
    } else if (cp >= 0x0400 && cp <= 0x040F) { // Ё, Ђ, Є, І, Ї, Ў and the other capitals outside А..Я
        cp += 0x50;
    } else if (cp == 0x0490) { // Ґ
        cp = 0x0491;
    } else if (cp == 0x00A0) {
        cp = ' ';
    }
    return cp == 0x0451 ? 0x0435 : cp;
}

struct ByteClasses {
    std::array<unsigned char, 256> folded {};
    std::array<bool, 256> word {};
};

// Looked up rather than computed: a key scans every byte of every name.
constexpr ByteClasses kBytes = [] {
    ByteClasses bytes;
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const char32_t cp = Cp1251CodePoint(byte);
        const char32_t folded = FoldedCodePoint(cp);
        bytes.folded[byte] = folded == cp ? byte : Cp1251Byte(folded).value();
        bytes.word[byte] = IsWordCodePoint(cp);
    }
    return bytes;
}();

unsigned char Folded(char c) {
    return kBytes.folded[static_cast<unsigned char>(c)];
}

bool IsWord(char c) {
    return kBytes.word[static_cast<unsigned char>(c)];
}

// Whether the name holds the folded text at `at`; the caller has checked that it fits.
bool FoundAt(const std::string& name, std::size_t at, const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (Folded(name[at + i]) != static_cast<unsigned char>(text[i])) {
            return false;
        }
    }
    return true;
}

constexpr std::size_t kPrefetchAhead = 16;

void Prefetch(const char* bytes) {
#if defined(__GNUC__)
    __builtin_prefetch(bytes);
#else
    static_cast<void>(bytes);
#endif
}

enum class Found { No, AtStart, AtLaterWord };

Found Find(const std::string& name, const std::string& text) {
    std::size_t at = 0;
    while (at < name.size() && Folded(name[at]) == ' ') {
        ++at;
    }
    if (name.size() - at < text.size()) {
        return Found::No;
    }
    if (FoundAt(name, at, text)) {
        return Found::AtStart;
    }
    const auto first = static_cast<unsigned char>(text[0]);
    const std::size_t last = name.size() - text.size(); // the last place the text still fits
    bool inWord = false;
    bool pastFirstWord = false;
    for (; at <= last; ++at) {
        const bool word = IsWord(name[at]);
        if (word && !inWord) {
            if (Folded(name[at]) == first && FoundAt(name, at, text)) {
                return pastFirstWord ? Found::AtLaterWord : Found::AtStart;
            }
            pastFirstWord = true;
        }
        inWord = word;
    }
    return Found::No;
}

} // namespace

std::vector<int> FindPayers(const std::vector<std::string>& rows, std::string_view typed, std::size_t most) {
    std::string text;
    text.reserve(typed.size());
    for (const char c : typed) {
        const unsigned char folded = Folded(c);
        if (folded != ' ' || !text.empty()) {
            text.push_back(static_cast<char>(folded));
        }
    }
    std::vector<int> found;
    if (text.empty() || most == 0) {
        return found;
    }
    std::vector<int> later;
    for (std::size_t row = 0; row < rows.size() && found.size() < most; ++row) {
        // A sorted list's names lie scattered over the heap, in the order they were read: asking
        // for a name some rows ahead makes the scan several times faster than waiting for each.
        if (row + kPrefetchAhead < rows.size()) {
            Prefetch(rows[row + kPrefetchAhead].data());
        }
        switch (Find(rows[row], text)) {
        case Found::AtStart:
            found.push_back(static_cast<int>(row));
            break;
        case Found::AtLaterWord:
            if (later.size() < most) {
                later.push_back(static_cast<int>(row));
            }
            break;
        case Found::No:
            break;
        }
    }
    later.resize(std::min(later.size(), most - found.size()));
    found.insert(found.end(), later.begin(), later.end());
    return found;
}

} // namespace kvitok
