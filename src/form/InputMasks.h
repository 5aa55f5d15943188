#pragma once

#include "ControlModels.h"

#include <string_view>

namespace kvitok {

// The masks of the registration number and the SNILS: "_" marks a digit position, every
// other character is a literal that is always shown.
inline constexpr std::string_view kRegNumberMask = "___-___-______";
inline constexpr std::string_view kSnilsMask = "___-___-___ __";
inline constexpr char kMaskPlaceholder = '_';

// Lays the digits the user left in `edit.text` into `mask` and puts the caret where a typist
// expects it. `prevLength` is the length of the field's value before the edit; `maskDelta`
// receives the change of length the edit caused. Non-digits are dropped, and so are digits
// beyond the mask's positions.
void ApplyMask(EditModel& edit, int prevLength, std::string_view mask, char placeholder, int& maskDelta);

// True when the value holds as many decimal digits as the mask has placeholders.
bool IsMaskComplete(std::string_view value, std::string_view mask, char placeholder);

// The SNILS check number: the weighted sum of the first nine digits, mod 101, mod 100, equals
// the last two digits.
bool IsValidSnils(std::string_view value);

// A 10- or 12-digit INN whose check digits hold; any other length or any non-digit is invalid.
bool IsValidInn(std::string_view value);

} // namespace kvitok
