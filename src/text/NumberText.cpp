#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <limits>

namespace kvitok {

namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigitOf(char c, bool hex) {
    return (c >= '0' && c <= '9') || (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
}

// Whether a number too large or too small for a double is large: the power at its first
// significant digit (of ten; of two for a hexadecimal number) plus its exponent is above zero.
bool BeyondTheLargest(std::string_view number, bool hex) {
    const long long perDigit = hex ? 4 : 1;
    long long power = 0;
    std::size_t pos = 0;
    bool significant = false;
    for (; pos < number.size() && IsDigitOf(number[pos], hex); ++pos) {
        significant = significant || number[pos] != '0';
        power += significant ? perDigit : 0;
    }
    if (pos < number.size() && number[pos] == '.') {
        for (++pos; pos < number.size() && IsDigitOf(number[pos], hex); ++pos) {
            power -= significant || number[pos] != '0' ? 0 : perDigit;
            significant = significant || number[pos] != '0';
        }
    }
    if (pos + 1 < number.size() && (number[pos] == (hex ? 'p' : 'e') || number[pos] == (hex ? 'P' : 'E'))) {
        power += std::clamp<long long>(AtoLL(number.substr(pos + 1)), -(1LL << 40), 1LL << 40);
    }
    return power > 0;
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
    // from_chars reads as strtod does in the "C" locale, whatever the process locale says, but
    // takes neither blanks, a "+" nor the "0x" of a hexadecimal number: those are read here.
    std::size_t pos = 0;
    while (pos < text.size() && IsCSpace(text[pos])) {
        ++pos;
    }
    const bool negative = pos < text.size() && text[pos] == '-';
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    std::string_view number = text.substr(pos);
    std::chars_format format = std::chars_format::general;
    if (number.size() > 2 && number[0] == '0' && (number[1] == 'x' || number[1] == 'X') &&
        (IsDigitOf(number[2], true) ||
         (number[2] == '.' && number.size() > 3 && IsDigitOf(number[3], true)))) {
        number.remove_prefix(2);
        format = std::chars_format::hex;
    }
    double value = 0.0;
    if (!number.empty() && number[0] == '-') {
        return value; // a second sign: no number
    }
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value, format);
    if (error == std::errc::result_out_of_range) {
        value = BeyondTheLargest(number.substr(0, static_cast<std::size_t>(end - number.data())),
                                 format == std::chars_format::hex)
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
    } else if (error != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::string IntToText(long long value) {
    return std::to_string(value);
}

} // namespace kvitok
