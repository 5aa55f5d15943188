#include "NumberText.h"

#include <climits>
#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace kvitok {

namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

int AtoI(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsCSpace(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // Accumulate as a negative number so that INT_MIN is reachable without overflow.
    long long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 - (text[pos] - '0');
        if (value < static_cast<long long>(INT_MIN) - 1) {
            value = static_cast<long long>(INT_MIN) - 1; // saturated; stays out of int range
        }
    }
    if (negative) {
        return value < INT_MIN ? INT_MIN : static_cast<int>(value);
    }
    return -value > INT_MAX ? INT_MAX : static_cast<int>(-value);
}

double AtoF(std::string_view text) {
    const std::string copy(text); // strtod needs a terminated string
    return strtod_l(copy.c_str(), nullptr, CLocale());
}

std::string IntToText(long long value) {
    return std::to_string(value);
}

} // namespace kvitok
