#pragma once

#include "Cp1251Table.h"
#include "Utf8.h"

#include <array>
#include <cstddef>
#include <string_view>

// Texts are written in UTF-8 in the sources and used as windows-1251 bytes in the program.
// "Закрыть программу?"_cp converts at compile time; a character that the code page cannot
// hold, or malformed UTF-8, stops the build.

namespace kvitok {

namespace detail {

template <std::size_t N>
struct Utf8Literal {
    char bytes[N] {};

    consteval Utf8Literal(const char (&text)[N]) {
        for (std::size_t i = 0; i < N; ++i) {
            bytes[i] = text[i];
        }
    }

    constexpr std::string_view View() const { return {bytes, N - 1}; }
};

void TextNotRepresentableInCp1251(); // deliberately not constexpr: reaching it fails the build

consteval std::size_t Cp1251Length(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count) {
        const Utf8Step step = DecodeUtf8(utf8, pos);
        if (step.length == 0) {
            TextNotRepresentableInCp1251();
        }
        pos += step.length;
    }
    return count;
}

template <Utf8Literal Text>
consteval auto ConvertToCp1251() {
    std::array<char, Cp1251Length(Text.View()) + 1> out {};
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < Text.View().size(); ++n) {
        const Utf8Step step = DecodeUtf8(Text.View(), pos);
        const auto byte = Cp1251Byte(step.codePoint);
        if (!byte) {
            TextNotRepresentableInCp1251();
        }
        out[n] = static_cast<char>(*byte);
        pos += step.length;
    }
    return out;
}

template <Utf8Literal Text>
inline constexpr auto kCp1251Storage = ConvertToCp1251<Text>();

} // namespace detail

inline namespace literals {

template <detail::Utf8Literal Text>
constexpr std::string_view operator""_cp() {
    return {detail::kCp1251Storage<Text>.data(), detail::kCp1251Storage<Text>.size() - 1};
}

} // namespace literals

} // namespace kvitok
