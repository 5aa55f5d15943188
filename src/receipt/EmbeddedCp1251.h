#pragma once

#include "text/Cp1251Table.h"
#include "text/Utf8.h"

#include <array>
#include <cstddef>
#include <string_view>

// Compile-time conversion of a long UTF-8 text (the page template) into windows-1251 bytes,
// without passing it as a template argument: a 13-kilobyte argument would end up in symbol names.

namespace kvitok {

void EmbeddedTextNotRepresentableInCp1251(); // not constexpr: reaching it stops the build

consteval std::size_t Cp1251EmbedLength(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count) {
        const Utf8Step step = DecodeUtf8(utf8, pos);
        if (step.length == 0 || !Cp1251Byte(step.codePoint)) {
            EmbeddedTextNotRepresentableInCp1251();
        }
        pos += step.length;
    }
    return count;
}

template <std::size_t N>
consteval std::array<char, N> EmbedCp1251(std::string_view utf8) {
    std::array<char, N> out {};
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++n) {
        const Utf8Step step = DecodeUtf8(utf8, pos);
        out[n] = static_cast<char>(*Cp1251Byte(step.codePoint));
        pos += step.length;
    }
    return out;
}

} // namespace kvitok
