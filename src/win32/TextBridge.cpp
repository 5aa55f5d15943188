#include "TextBridge.h"

#include "text/Cp1251.h"
#include "text/Cp1251Table.h"
#include "text/Utf16.h"

namespace kvitok {

// wchar_t is a UTF-16 unit on Windows; the copies keep the two types apart without casts.
std::wstring Wide(std::string_view cp1251) {
    const std::u16string utf16 = Cp1251ToUtf16(cp1251);
    return std::wstring(utf16.begin(), utf16.end());
}

std::wstring WideFromUtf8(const char* utf8) {
    return Wide(Utf8ToCp1251(utf8).value_or(std::string()));
}

std::optional<std::string> Narrow(std::wstring_view wide) {
    return Utf16ToCp1251(std::u16string(wide.begin(), wide.end()));
}

std::optional<std::string> WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

void SetWindowTextCp1251(HWND window, std::string_view cp1251) {
    SetWindowTextW(window, Wide(cp1251).c_str());
}

bool FitsCp1251(wchar_t c) {
    return Cp1251Byte(static_cast<char32_t>(c)).has_value();
}

} // namespace kvitok
