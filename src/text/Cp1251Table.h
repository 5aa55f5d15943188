#pragma once

#include <array>
#include <optional>

namespace kvitok {

// Code points of the windows-1251 bytes 0x80..0xBF. The byte 0x98 has no character in the
// published table; it is read as U+007F. Bytes 0xC0..0xFF are U+0410..U+044F.
inline constexpr std::array<char32_t, 64> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, //
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x007F, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, //
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, //
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, //
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, //
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, //
};

constexpr char32_t Cp1251CodePoint(unsigned char byte) {
    if (byte < 0x80) {
        return byte;
    }
    if (byte < 0xC0) {
        return kCp1251High[byte - 0x80];
    }
    return char32_t {byte} + 0x350;
}

// The windows-1251 byte of a code point, or nothing when the code page has no such character.
constexpr std::optional<unsigned char> Cp1251Byte(char32_t cp) {
    if (cp < 0x80) {
        return static_cast<unsigned char>(cp);
    }
    if (cp >= 0x0410 && cp <= 0x044F) {
        return static_cast<unsigned char>(cp - 0x350);
    }
    for (unsigned i = 0; i < kCp1251High.size(); ++i) {
        if (kCp1251High[i] == cp && cp != 0x7F) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

} // namespace kvitok
