#pragma once

#include "base/CalendarDate.h"

#include <string>

namespace kvitok {

// The fixed contribution of an entrepreneur for one KBK, year and payment period, in kopecks:
// twelve minimum wages times the tariff, pro rata by months and days, plus 1 % of the income
// above the threshold and limited by the yearly maximum. Every figure of the law comes from
// the reference dictionary; a missing one reads as 0.
class ContributionCalculator {
public:
    virtual ~ContributionCalculator() = default;

    // kbk is the KBK selector (KBK number, or the form's list row with row 9 read as 27);
    // birthYear 0 when unknown; year 0 for the empty year row; income in rubles.
    // The result is not rounded and is kept for RublesText and KopecksText.
    double Compute(int kbk, int birthYear, int year, const CalendarDate& periodFrom,
                   const CalendarDate& periodTo, double income);

    double Amount() const { return m_amount; }

    // The amount rounded to whole kopecks without its last two digits; empty under one ruble.
    std::string RublesText() const;
    // The last two digits of the rounded amount, or all of it when it is shorter.
    std::string KopecksText() const;

private:
    double m_amount = 0.0;
};

// The amount rounded to a whole number of kopecks, halves away from zero, as decimal text
// ("51" for 50.5). Independent of the process locale.
std::string WholeKopecksText(double amount);

} // namespace kvitok
