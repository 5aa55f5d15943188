#include "calc/ContributionCalculator.h"
#include "calc/SumInputs.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>
#include <vector>

using namespace kvitok;

namespace {

constexpr CalendarDate Date(int year, int month, int day) {
    return CalendarDate {year, month, day, 0, 0, 0};
}

double Amount(int kbk, int birthYear, int year, CalendarDate from, CalendarDate to, double income = 0.0) {
    return ContributionCalculator().Compute(kbk, birthYear, year, from, to, income);
}

double WholeYear(int kbk, int birthYear, int year, double income = 0.0) {
    return Amount(kbk, birthYear, year, Date(year, 1, 1), Date(year, 12, 31), income);
}

struct WorkedExample {
    int year;
    int selector;
    int birthYear;
    CalendarDate from;
    CalendarDate to;
    double income;
    double amount;
    const char* sumRub;
    const char* sumKop;
};

// The amounts as the tariff tables give them, computed in the same order of operations.
const std::vector<WorkedExample> kWorkedExamples = {
    {2016, 1, 1970, Date(2016, 1, 1), Date(2016, 12, 31), 0.0, 2315332.8, "23153", "33"},
    {2016, 2, 1970, Date(2016, 1, 1), Date(2016, 12, 31), 0.0, 1935648, "19356", "48"},
    {2016, 3, 1970, Date(2016, 1, 1), Date(2016, 12, 31), 0.0, 0, "0", "00"},
    {2016, 4, 1970, Date(2016, 1, 1), Date(2016, 12, 31), 0.0, 379684.8, "3796", "85"},
    {2016, 1, 1970, Date(2016, 1, 1), Date(2016, 12, 31), 500000.00, 2515332.8, "25153", "33"},
    {2016, KbkRowToSelector(9), 1970, Date(2016, 1, 1), Date(2016, 12, 31), 500000.00, 200000, "2000", "00"},
    {2016, 1, 1970, Date(2016, 1, 1), Date(2016, 12, 31), 20000000.00, 15864869, "158648", "69"},
    {2016, 27, 1970, Date(2016, 1, 1), Date(2016, 12, 31), 20000000.00, 13549536, "135495", "36"},
    {2016, 2, 1970, Date(2016, 3, 15), Date(2016, 12, 31), 0.0, 1540193.0322580643, "15401", "93"},
    {2016, 2, 1970, Date(2016, 5, 10), Date(2016, 5, 20), 0.0, 57236.90322580644, "572", "37"},
    {2016, 2, 1970, Date(2016, 2, 1), Date(2016, 2, 29), 0.0, 161304, "1613", "04"},
    {2013, 2, 1970, Date(2013, 1, 1), Date(2013, 12, 31), 0.0, 2498400, "24984", "00"},
    {2013, 2, 1960, Date(2013, 1, 1), Date(2013, 12, 31), 0.0, 3247920, "32479", "20"},
    {2013, 3, 1960, Date(2013, 1, 1), Date(2013, 12, 31), 0.0, 0, "0", "00"},
    {2009, 1, 1970, Date(2009, 1, 1), Date(2009, 12, 31), 0.0, 415680, "4156", "80"},
    // Under one ruble the form gets "0" rubles rather than an empty text (see SumTextsForAmount).
    {2014, 27, 1970, Date(2014, 1, 1), Date(2014, 12, 31), 300050.50, 50.5, "0", "51"},
};

void ExpectWorkedExamples() {
    for (const WorkedExample& example : kWorkedExamples) {
        SCOPED_TRACE(std::to_string(example.year) + " selector " + std::to_string(example.selector) +
                     " from " + std::to_string(example.from.month) + "/" + std::to_string(example.from.day) +
                     " income " + std::to_string(example.income));
        ContributionCalculator calculator;
        const double amount = calculator.Compute(example.selector, example.birthYear, example.year,
                                                 example.from, example.to, example.income);
        EXPECT_NEAR(amount, example.amount, 1e-6);
        EXPECT_EQ(calculator.Amount(), amount);
        EXPECT_EQ(SumTextsForAmount(amount), (SumTexts {example.sumRub, example.sumKop}));
        if (amount >= 100) {
            EXPECT_EQ(calculator.RublesText(), example.sumRub);
            EXPECT_EQ(calculator.KopecksText(), example.sumKop);
        }
    }
}

} // namespace

TEST(ContributionCalculatorTest, WorkedExamples) {
    ExpectWorkedExamples();
}

TEST(ContributionCalculatorTest, SameAmountsUnderCommaDecimalLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    // Linux's name for the Russian locale, then the Windows runtime's.
    if (std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") == nullptr &&
        std::setlocale(LC_NUMERIC, "Russian_Russia.1251") == nullptr) {
        GTEST_SKIP() << "no Russian locale is installed";
    }
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
    ExpectWorkedExamples();
    EXPECT_EQ(IncomeFromTexts("300050", "50"), 300050.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ContributionCalculatorTest, TextsUnderOneRuble) {
    struct Case {
        double income;
        double amount;
        const char* rubles;
        const char* kopecks;
    };
    // 2014, KBK 27: the amount is the 1 % of the income above 300000 rubles.
    const Case cases[] = {
        {300050.50, 50.5, "", "51"}, // an exact half rounds up, not to even
        {300000.50, 0.5, "", "1"},   // a one-character kopeck text
        {300000.00, 0.0, "", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.income);
        ContributionCalculator calculator;
        EXPECT_NEAR(calculator.Compute(27, 1970, 2014, Date(2014, 1, 1), Date(2014, 12, 31), c.income),
                    c.amount, 1e-9);
        EXPECT_EQ(calculator.RublesText(), c.rubles);
        EXPECT_EQ(calculator.KopecksText(), c.kopecks);
    }
}

TEST(ContributionCalculatorTest, BirthYearGroups) {
    // 2013 is the year in which the two groups pay different insurance tariffs.
    EXPECT_NEAR(WholeYear(2, 1966, 2013), 3247920, 1e-6);
    EXPECT_NEAR(WholeYear(2, 1967, 2013), 2498400, 1e-6);
    EXPECT_NEAR(WholeYear(2, 0, 2013), 3247920, 1e-6); // no birth year counts as the older group
    EXPECT_EQ(WholeYear(3, 1966, 2013), 0.0);
    EXPECT_NEAR(WholeYear(3, 1967, 2013), 5205 * 0.12 * 12 * 100, 1e-6);
}

TEST(ContributionCalculatorTest, PeriodSplit) {
    struct Case {
        const char* what;
        int year;
        CalendarDate from;
        CalendarDate to;
        double amount;
    };
    const Case cases[] = {
        // February follows the year of the period's start, not the selected year.
        {"28 days of a 29-day February", 2015, Date(2016, 2, 1), Date(2016, 2, 28), 149742.06896551725},
        {"all of a 28-day February", 2016, Date(2015, 2, 1), Date(2015, 2, 28), 161304},
        {"from 1 March", 2016, Date(2016, 3, 1), Date(2016, 12, 31), 1613040.0000000002},
        {"from 1 January", 2016, Date(2016, 1, 1), Date(2016, 10, 31), 1613040.0000000002},
        {"inside January from its first day", 2016, Date(2016, 1, 1), Date(2016, 1, 15), 78050.32258064517},
        {"one day", 2016, Date(2016, 5, 10), Date(2016, 5, 10), 6204 * 0.26 * 100 / 31},
        {"end months before the start", 2016, Date(2016, 6, 1), Date(2016, 3, 31), -322608},
        {"end days before the start", 2016, Date(2016, 5, 20), Date(2016, 5, 10), -46830.193548387106},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_NEAR(Amount(2, 1970, c.year, c.from, c.to), c.amount, 1e-6);
    }
    EXPECT_EQ(SumTextsForAmount(Amount(2, 1970, 2016, Date(2016, 6, 1), Date(2016, 3, 31))),
              (SumTexts {"0", "00"}));
}

TEST(ContributionCalculatorTest, OnePercentAndMaximum) {
    // KBK 27 owes nothing up to the threshold itself.
    EXPECT_EQ(WholeYear(27, 1970, 2016, 300000.00), 0.0);
    EXPECT_EQ(WholeYear(27, 1970, 2016, 100000.00), 0.0);
    EXPECT_NEAR(WholeYear(27, 1970, 2016, 300000.01), 0.01, 1e-6);
    // KBK 1 adds the 1 % to the fixed part, then the total meets MAXPAY_1.
    EXPECT_NEAR(WholeYear(1, 1970, 2016, 300000.00), 2315332.8, 1e-6);
    EXPECT_NEAR(WholeYear(1, 1970, 2016, 13000000.00), 2315332.8 + 12700000, 1e-6);
    EXPECT_EQ(WholeYear(1, 1970, 2016, 14000000.00), 15864869.0);
    // KBK 27 over half a year: the maximum leaves more room beside a smaller fixed part.
    EXPECT_NEAR(Amount(27, 1970, 2016, Date(2016, 7, 1), Date(2016, 12, 31), 20000000.00),
                15485184 - 6204 * 0.26 * 6 * 100, 1e-6);
    // No threshold before 2014: the income changes nothing.
    EXPECT_NEAR(WholeYear(2, 1970, 2013, 20000000.00), 2498400, 1e-6);
}

// The 1 % part of each year with a threshold stops where the fixed part and it reach the year's
// maximum: below that income it grows kopeck for kopeck, at it and above it stays.
TEST(ContributionCalculatorTest, TheIncomePartStopsAtEachYearsMaximum) {
    struct Case {
        int year;
        double fixed;   // a whole year's fixed part, kopecks
        double maximum; // MAXPAY_27, kopecks
    };
    const Case cases[] = {{2014, 1732848, 13862784}, {2015, 1861080, 14888640}, {2016, 1935648, 15485184}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        const double room = c.maximum - c.fixed; // what the 1 % part may reach
        const double reached =
            300000 + room; // the income it is reached at, rubles: 1 % of a ruble is a kopeck
        EXPECT_NEAR(WholeYear(27, 1970, c.year, reached - 1), room - 1, 1e-6);
        EXPECT_NEAR(WholeYear(27, 1970, c.year, reached), room, 1e-6);
        EXPECT_NEAR(WholeYear(27, 1970, c.year, reached * 10), room, 1e-6);
    }
}

TEST(ContributionCalculatorTest, Year2009ReadsTheNextKbk) {
    EXPECT_NEAR(WholeYear(1, 1970, 2009), 4330 * 0.08 * 12 * 100, 1e-6); // insurance part
    EXPECT_NEAR(WholeYear(1, 1960, 2009), 4330 * 0.14 * 12 * 100, 1e-6);
    EXPECT_NEAR(WholeYear(2, 1970, 2009), 311760, 1e-6);                 // funded part
    EXPECT_NEAR(WholeYear(2, 1970, 2010), 4330 * 0.14 * 12 * 100, 1e-6); // no shift in other years
}

TEST(ContributionCalculatorTest, MissingDataGivesZero) {
    struct Case {
        const char* what;
        int kbk;
        int year;
    };
    const Case cases[] = {
        {"year after the last", 2, 2017}, {"empty year row", 2, 0},         {"empty KBK row", 0, 2016},
        {"no KBK selected", -1, 2016},    {"penalty KBK", 6, 2016},         {"KBK 5 after 2011", 5, 2016},
        {"KBK 27 before 2014", 27, 2013}, {"KBK 27 row in 2012", 27, 2012},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ContributionCalculator calculator;
        EXPECT_EQ(calculator.Compute(c.kbk, 1970, c.year, Date(2016, 1, 1), Date(2016, 12, 31), 500000.0),
                  0.0);
        EXPECT_EQ(SumTextsForAmount(calculator.Amount()), (SumTexts {"0", "00"}));
    }
}

TEST(ContributionCalculatorTest, DateThatIsNotACalendarDate) {
    EXPECT_EQ(Amount(2, 1970, 2016, CalendarDate {}, Date(2016, 12, 31)), 0.0);
    EXPECT_EQ(Amount(2, 1970, 2016, Date(2016, 1, 1), CalendarDate {2016, 13, 1, 0, 0, 0}), 0.0);
}

TEST(ContributionCalculatorTest, WholeKopecksText) {
    struct Case {
        double amount;
        const char* text;
    };
    const Case cases[] = {
        {0.0, "0"},
        {0.5, "1"},
        {50.5, "51"},
        {2.5, "3"},
        {0.49999999999999994, "0"}, // adding 0.5 first would round this up
        {2315332.8, "2315333"},
        {1540193.0322580643, "1540193"},
        {1e20, "100000000000000000000"},
        {-50.5, "-51"},
        {-0.4, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.amount);
        EXPECT_EQ(WholeKopecksText(c.amount), c.text);
    }
}
