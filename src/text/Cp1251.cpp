#include "Cp1251.h"

#include "Cp1251Table.h"
#include "Utf8.h"

namespace kvitok {

namespace {

template <typename Out>
void AppendUtf8(char32_t cp, Out&& put) {
    if (cp < 0x80) {
        put(static_cast<char>(cp));
    } else if (cp < 0x800) {
        put(static_cast<char>(0xC0 | (cp >> 6)));
        put(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        // Every windows-1251 character lies in the Basic Multilingual Plane.
        put(static_cast<char>(0xE0 | (cp >> 12)));
        put(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        put(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// The base letters of U+00C0..U+017F, the accented Latin letters of European names.
constexpr std::string_view kLatinBaseLetters =
    "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYTsaaaaaaaceeeeiiiidnooooo?ouuuuyty"
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";

} // namespace

bool Cp1251ToUtf8(const char* source, char* destination) {
    if (destination == nullptr) {
        return false;
    }
    char* out = destination;
    for (const char* in = source; in != nullptr && *in != '\0'; ++in) {
        AppendUtf8(Cp1251CodePoint(static_cast<unsigned char>(*in)), [&out](char c) {
            *out++ = c;
        });
    }
    *out = '\0';
    return true;
}

std::string Cp1251ToUtf8(std::string_view source) {
    std::string result;
    result.reserve(source.size() * 2);
    for (char c : source) {
        AppendUtf8(Cp1251CodePoint(static_cast<unsigned char>(c)), [&result](char b) {
            result.push_back(b);
        });
    }
    return result;
}

std::optional<std::string> Utf8ToCp1251(std::string_view utf8) {
    std::string result;
    result.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Utf8Step step = DecodeUtf8(utf8, pos);
        if (step.length == 0) {
            return std::nullopt;
        }
        const auto byte = Cp1251Byte(step.codePoint);
        if (!byte) {
            return std::nullopt;
        }
        result.push_back(static_cast<char>(*byte));
        pos += step.length;
    }
    return result;
}

std::string Utf8ToCp1251Readable(std::string_view utf8) {
    std::string result;
    result.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Utf8Step step = DecodeUtf8(utf8, pos);
        const auto byte = step.length == 0 ? std::nullopt : Cp1251Byte(step.codePoint);
        if (byte) {
            result.push_back(static_cast<char>(*byte));
        } else if (step.codePoint >= 0xC0 && step.codePoint - 0xC0 < kLatinBaseLetters.size()) {
            result.push_back(kLatinBaseLetters[step.codePoint - 0xC0]);
        } else {
            result.push_back('?');
        }
        pos += step.length == 0 ? 1 : step.length;
    }
    return result;
}

bool IsCp1251Representable(char32_t codePoint) {
    return Cp1251Byte(codePoint).has_value();
}

} // namespace kvitok
