#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvitok {

// The window's edge: texts inside are windows-1251, the system's W functions take UTF-16.
std::wstring Wide(std::string_view cp1251);
// Nothing when the text holds a character windows-1251 cannot represent.
std::optional<std::string> Narrow(std::wstring_view wide);

} // namespace kvitok
