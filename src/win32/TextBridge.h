#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <windows.h>

namespace kvitok {

// The window's edge: texts inside are windows-1251, the system's W functions take UTF-16.
std::wstring Wide(std::string_view cp1251);
std::wstring WideFromUtf8(const char* utf8);
// Nothing when the text holds a character windows-1251 cannot represent.
std::optional<std::string> Narrow(std::wstring_view wide);

// The whole text of a window, converted; nothing when it cannot be held in windows-1251.
std::optional<std::string> WindowText(HWND window);
void SetWindowTextCp1251(HWND window, std::string_view cp1251);

// True when windows-1251 has the character: what may be typed into a field of the form.
bool FitsCp1251(wchar_t c);

} // namespace kvitok
