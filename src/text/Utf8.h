#pragma once

#include <cstddef>
#include <string_view>

namespace kvitok {

// One decoded UTF-8 sequence: its code point and its length in bytes; length 0 marks a
// malformed sequence (bad lead byte, missing continuation, overlong form or surrogate).
struct Utf8Step {
    char32_t codePoint = 0;
    std::size_t length = 0;
};

constexpr Utf8Step DecodeUtf8(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t i) {
        return static_cast<unsigned char>(text[i]);
    };
    const unsigned char lead = byte(pos);
    std::size_t length = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        return {lead, 1};
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return {};
    }
    if (pos + length > text.size()) {
        return {};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            return {};
        }
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return {};
    }
    return {cp, length};
}

} // namespace kvitok
