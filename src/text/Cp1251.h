#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvitok {

// Converts the NUL-terminated windows-1251 text `source` into UTF-8 at `destination`,
// NUL-terminated. The destination must hold three bytes per source byte plus one.
// Returns false only when no destination is given.
bool Cp1251ToUtf8(const char* source, char* destination);

// The same conversion for a text of explicit length (zero bytes pass through).
std::string Cp1251ToUtf8(std::string_view source);

// Converts UTF-8 to windows-1251. Nothing is returned when the text is not valid UTF-8 or
// holds a character the code page cannot represent; no character is ever replaced.
std::optional<std::string> Utf8ToCp1251(std::string_view utf8);

// The text in windows-1251 for a person to read, where it need not be turned back: a character
// the code page lacks becomes its Latin base letter (é as e, ł as l) or a question mark, and so
// does a malformed byte.
std::string Utf8ToCp1251Readable(std::string_view utf8);

// True when the code point has a windows-1251 byte.
bool IsCp1251Representable(char32_t codePoint);

} // namespace kvitok
