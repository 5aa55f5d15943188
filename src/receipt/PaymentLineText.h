#pragma once

#include <string_view>

namespace kvitok {

// A character a value of the payment line may hold: "|" would split its field of the line the
// bank reads from the QR code, and a control character (a zero byte above all) could cut the
// line short, so that the code would pay something else than the page says. The form asks this
// of every value that goes into the line.
constexpr bool FitsPaymentLine(char32_t c) {
    return c != U'|' && c >= 0x20;
}

// The same for every character of a windows-1251 value.
constexpr bool FitsPaymentLine(std::string_view value) {
    for (const char c : value) {
        if (!FitsPaymentLine(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

} // namespace kvitok
