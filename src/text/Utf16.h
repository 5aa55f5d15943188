#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvitok {

// windows-1251 to UTF-16 and back, by the same table as the UTF-8 conversion. Windows speaks
// UTF-16 through its W functions; converting here keeps the system's own code page out of it.
std::u16string Cp1251ToUtf16(std::string_view cp1251);

// Nothing when the text holds a character windows-1251 cannot represent (a surrogate, alone
// or in a pair, included); no character is ever replaced.
std::optional<std::string> Utf16ToCp1251(std::u16string_view utf16);

} // namespace kvitok
