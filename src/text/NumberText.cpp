#include "NumberText.h"

#include "platform/CLocaleNumber.h"

#include <algorithm>
#include <climits>

namespace kvitok {

namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

long long AtoLL(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsCSpace(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // Accumulate as a negative number so that LLONG_MIN is reachable without overflow.
    long long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        const int digit = text[pos] - '0';
        if (value < (LLONG_MIN + digit) / 10) {
            value = LLONG_MIN; // saturated
            continue;
        }
        value = value * 10 - digit;
    }
    if (negative) {
        return value;
    }
    return value == LLONG_MIN ? LLONG_MAX : -value;
}

int AtoI(std::string_view text) {
    return static_cast<int>(std::clamp<long long>(AtoLL(text), INT_MIN, INT_MAX));
}

double AtoF(std::string_view text) {
    const std::string copy(text); // strtod needs a terminated string
    return StrtodInCLocale(copy.c_str());
}

std::string IntToText(long long value) {
    return std::to_string(value);
}

} // namespace kvitok
