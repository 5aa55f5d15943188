#include "ContributionCalculator.h"

#include "refdata/ReferenceDictionary.h"
#include "text/Format.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace kvitok {

namespace {

constexpr int kOlderGroupLastBirthYear = 1966;
// In 2009 the KBK list lacks the group row, so the form's row is one below the KBK number.
constexpr int kYearWithoutGroupRow = 2009;
constexpr int kOnePercentKbk = 27;

} // namespace

double ContributionCalculator::Compute(int kbk, int birthYear, int year, const CalendarDate& periodFrom,
                                       const CalendarDate& periodTo, double income) {
    m_amount = 0.0;
    // Month lengths are looked up by month: a date that is not a calendar date must not
    // index past them. The date pickers never deliver one.
    if (!periodFrom.IsValid() || !periodTo.IsValid()) {
        return m_amount;
    }
    const ReferenceDictionary dictionary;

    const double minimumWage = dictionary.LookupDouble(FormatText("MROT_%d", year));
    if (year == kYearWithoutGroupRow && kbk < INT_MAX) {
        ++kbk;
    }
    const double tariff = birthYear <= kOlderGroupLastBirthYear
                              ? dictionary.LookupDouble(FormatText("TARIF1966_%d_%d", kbk, year))
                              : dictionary.LookupDouble(FormatText("TARIF1967_%d_%d", kbk, year));

    // February follows the year the period starts in, whatever year is selected.
    const int lengthFirst = DaysInMonth(periodFrom.year, periodFrom.month);
    const int lengthLast = DaysInMonth(periodFrom.year, periodTo.month);
    int whole = periodTo.month - periodFrom.month - 1;
    int first = lengthFirst - periodFrom.day + 1;
    const int last = periodTo.day;
    if (periodFrom.month == 1 && periodFrom.day == 1) {
        ++whole;
        first = 0;
    }

    const double income100 = income * 100;
    const double revenue100 = dictionary.LookupDouble(FormatText("REVENUE_%d_%d", kbk, year)) * 100;
    const double max100 = dictionary.LookupDouble(FormatText("MAXPAY_%d_%d", kbk, year)) * 100;

    // The evaluation order is part of the result: the amounts must match to the last bit.
    const double fixed = (minimumWage * tariff * whole + (minimumWage * tariff / lengthFirst) * first +
                          (minimumWage * tariff / lengthLast) * last) *
                         100;
    double amount = fixed;
    if (kbk == kOnePercentKbk) {
        // The 1 % part alone, limited to what the maximum leaves after the fixed part.
        amount = 0.0;
        if (revenue100 > 0 && income100 > revenue100) {
            amount = (income100 - revenue100) * 0.01;
        }
        if (max100 > 0 && max100 - fixed < amount) {
            amount = max100 - fixed;
        }
    } else {
        if (revenue100 > 0 && income100 > revenue100) {
            amount = (income100 - revenue100) * 0.01 + amount;
        }
        if (max100 > 0 && amount > max100) {
            amount = max100;
        }
    }
    m_amount = amount;
    return m_amount;
}

std::string ContributionCalculator::RublesText() const {
    const std::string text = WholeKopecksText(m_amount);
    return text.size() < 3 ? std::string() : text.substr(0, text.size() - 2);
}

std::string ContributionCalculator::KopecksText() const {
    const std::string text = WholeKopecksText(m_amount);
    return text.size() < 2 ? text : text.substr(text.size() - 2);
}

std::string WholeKopecksText(double amount) {
    double rounded = amount;
    if (std::isfinite(amount)) {
        // printf would round an exact half to even ("50" for 50.5); halves go away from zero here.
        const double magnitude = std::fabs(amount);
        double whole = std::floor(magnitude);
        if (magnitude - whole >= 0.5) { // exact: the fraction of a double is representable
            whole += 1.0;
        }
        rounded = std::copysign(whole, amount) + 0.0; // + 0.0 turns -0 into 0
    }
    // The value is integral now, so fixed notation without decimals prints it exactly.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 0);
    return std::string(buffer, result.ptr);
}

} // namespace kvitok
