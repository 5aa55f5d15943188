#include "SumInputs.h"

#include "ContributionCalculator.h"

#include "text/NumberText.h"

#include <cmath>

namespace kvitok {

namespace {

constexpr int kOnePercentRow = 9;
constexpr int kOnePercentKbk = 27;

} // namespace

int KbkRowToSelector(int kbkRow) {
    return kbkRow == kOnePercentRow ? kOnePercentKbk : kbkRow;
}

double IncomeFromTexts(std::string_view rubles, std::string_view kopecks) {
    std::string text(rubles.empty() ? std::string_view("0") : rubles);
    text += '.';
    text += kopecks.empty() ? std::string_view("0") : kopecks;
    return AtoF(text);
}

SumTexts SumTextsForAmount(double amount) {
    // An infinite amount (an income text like "inf") has no digits to show.
    if (!(amount > 0) || !std::isfinite(amount)) {
        return {"0", "00"};
    }
    std::string digits = WholeKopecksText(amount);
    if (digits.size() < 3) {
        digits.insert(0, 3 - digits.size(), '0');
    }
    return {digits.substr(0, digits.size() - 2), digits.substr(digits.size() - 2)};
}

SumResult RecalculatedSum(int selector, int birthYear, int year, const CalendarDate& periodFrom,
                          const CalendarDate& periodTo, double income) {
    ContributionCalculator calculator;
    const double amount = calculator.Compute(selector, birthYear, year, periodFrom, periodTo, income);
    return {amount, SumTextsForAmount(amount)};
}

} // namespace kvitok
