#pragma once

#include "base/CalendarDate.h"

#include <string>
#include <string_view>

namespace kvitok {

// What the dialog's sum recalculation needs besides the controls: the calculator's inputs from
// the form's texts and rows, and the sum texts written back.

// The KBK list row (0 empty, -1 none selected) as the calculator's selector. Row 9 is the
// 1 % part from 2014 on, KBK 27; the other rows that compute a sum equal their KBK number.
int KbkRowToSelector(int kbkRow);

// The income in rubles from the form's ruble and kopeck texts: the kopeck text is the digits
// after the decimal point ("5" is 50 kopecks, "05" is 5); an empty text counts as "0".
// Read as the C runtime's atof with "." whatever the process locale.
double IncomeFromTexts(std::string_view rubles, std::string_view kopecks);

struct SumTexts {
    std::string rubles;
    std::string kopecks;

    friend bool operator==(const SumTexts&, const SumTexts&) = default;
};

// The ruble and kopeck texts written to the form (or kept for a group member): "0" and "00"
// unless the amount is positive. Rubles are "0" under one ruble and kopecks always two digits,
// so the form's checks accept them and a group member's page shows its own amount.
SumTexts SumTextsForAmount(double amount);

struct SumResult {
    double amount = 0.0;
    SumTexts texts;
};

// One recalculation: the calculator with these inputs and the texts for its amount.
SumResult RecalculatedSum(int selector, int birthYear, int year, const CalendarDate& periodFrom,
                          const CalendarDate& periodTo, double income);

} // namespace kvitok
