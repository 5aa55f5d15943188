#include "InputMasks.h"

#include "receipt/StripMask.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>

namespace kvitok {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int DigitValue(char c) {
    return c - '0';
}

// (sum of digit * weight over the first weights.size() characters) mod 11 mod 10.
int InnCheckDigit(std::string_view inn, std::span<const int> weights) {
    int sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        sum += DigitValue(inn[i]) * weights[i];
    }
    return sum % 11 % 10;
}

} // namespace

void ApplyMask(EditModel& edit, int prevLength, std::string_view mask, char placeholder, int& maskDelta) {
    std::string value = edit.text;
    maskDelta = static_cast<int>(value.size()) - prevLength;
    int caret = edit.selectionEnd;
    const int editStart = caret - maskDelta;

    for (std::size_t p = 0; p < value.size();) {
        if (IsDigit(value[p])) {
            ++p;
            continue;
        }
        value.erase(p, 1);
        if (editStart < static_cast<int>(p) && static_cast<int>(p) < caret) {
            --caret;
        }
    }

    std::string result(mask);
    const std::size_t digits = value.size();
    std::size_t j = 0;
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (result[i] == placeholder) {
            if (j < digits) {
                result[i] = value[j++];
            }
        } else if (j < digits && editStart <= static_cast<int>(i) && static_cast<int>(i) < caret) {
            ++caret; // the caret steps over a literal that the typed digits moved past
        }
    }

    edit.text = std::move(result);
    caret = std::clamp(caret, 0, static_cast<int>(edit.text.size()));
    edit.selectionStart = caret;
    edit.selectionEnd = caret;
}

bool IsMaskComplete(std::string_view value, std::string_view mask, char placeholder) {
    return std::count_if(value.begin(), value.end(), IsDigit) ==
           std::count(mask.begin(), mask.end(), placeholder);
}

bool IsValidSnils(std::string_view value) {
    const std::string s = StripMask(std::string(value), std::string(kSnilsMask), kMaskPlaceholder);
    if (s.size() < 11) {
        return false; // too short to hold a check number at all
    }
    const int control = 10 * DigitValue(s[9]) + DigitValue(s[10]);
    int sum = 0;
    for (int i = 0; i < 9; ++i) {
        sum += DigitValue(s[static_cast<std::size_t>(i)]) * (9 - i);
    }
    return sum % 101 % 100 == control;
}

bool IsValidInn(std::string_view value) {
    if (!std::all_of(value.begin(), value.end(), IsDigit)) {
        return false;
    }
    constexpr std::array<int, 11> kWeights12Second = {3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
    const std::span<const int> weights12First(kWeights12Second.data() + 1, 10);
    const std::span<const int> weights10(kWeights12Second.data() + 2, 9);
    if (value.size() == 10) {
        return InnCheckDigit(value, weights10) == DigitValue(value[9]);
    }
    if (value.size() == 12) {
        return InnCheckDigit(value, weights12First) == DigitValue(value[10]) &&
               InnCheckDigit(value, kWeights12Second) == DigitValue(value[11]);
    }
    return false;
}

} // namespace kvitok
