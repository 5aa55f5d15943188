#include "TextBridge.h"

#include "text/Utf16.h"

namespace kvitok {

// wchar_t is a UTF-16 unit on Windows; the copies keep the two types apart without casts.
std::wstring Wide(std::string_view cp1251) {
    const std::u16string utf16 = Cp1251ToUtf16(cp1251);
    return std::wstring(utf16.begin(), utf16.end());
}

std::optional<std::string> Narrow(std::wstring_view wide) {
    return Utf16ToCp1251(std::u16string(wide.begin(), wide.end()));
}

} // namespace kvitok
