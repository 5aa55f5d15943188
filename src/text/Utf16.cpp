#include "Utf16.h"

#include "Cp1251Table.h"

namespace kvitok {

std::u16string Cp1251ToUtf16(std::string_view cp1251) {
    std::u16string result;
    result.reserve(cp1251.size());
    for (const char c : cp1251) {
        // Every windows-1251 character lies in the Basic Multilingual Plane: one unit each.
        result.push_back(static_cast<char16_t>(Cp1251CodePoint(static_cast<unsigned char>(c))));
    }
    return result;
}

std::optional<std::string> Utf16ToCp1251(std::u16string_view utf16) {
    std::string result;
    result.reserve(utf16.size());
    for (const char16_t unit : utf16) {
        const auto byte = Cp1251Byte(unit);
        if (!byte) {
            return std::nullopt;
        }
        result.push_back(static_cast<char>(*byte));
    }
    return result;
}

} // namespace kvitok
