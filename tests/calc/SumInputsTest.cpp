#include "calc/SumInputs.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kvitok;

TEST(SumInputsTest, KbkRowToSelector) {
    EXPECT_EQ(KbkRowToSelector(9), 27);
    EXPECT_EQ(KbkRowToSelector(1), 1);
    EXPECT_EQ(KbkRowToSelector(8), 8);
    EXPECT_EQ(KbkRowToSelector(0), 0);
    EXPECT_EQ(KbkRowToSelector(-1), -1);
}

TEST(SumInputsTest, IncomeFromTexts) {
    struct Case {
        const char* rubles;
        const char* kopecks;
        double income;
    };
    const Case cases[] = {
        {"", "", 0.0},           {"1500", "5", 1500.5}, // the kopeck text is the digits after the point
        {"1500", "05", 1500.05}, {"1500", "", 1500.0},  {"", "50", 0.5}, {"300050", "50", 300050.5},
        {"12abc", "", 12.0}, // read as far as it is a number
        {"abc", "5", 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.rubles) + "|" + c.kopecks);
        EXPECT_EQ(IncomeFromTexts(c.rubles, c.kopecks), c.income);
    }
}

TEST(SumInputsTest, SumTextsForAmount) {
    struct Case {
        double amount;
        const char* rubles;
        const char* kopecks;
    };
    const Case cases[] = {
        {2315332.8, "23153", "33"},
        {100.0, "1", "00"},
        {99.5, "1", "00"},
        {50.5, "0", "51"},
        {0.5, "0", "01"},
        {0.01, "0", "00"}, // positive, but no whole kopeck
        {0.0, "0", "00"},
        {-322608.0, "0", "00"},
        {std::numeric_limits<double>::quiet_NaN(), "0", "00"},
        {std::numeric_limits<double>::infinity(), "0", "00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.amount);
        EXPECT_EQ(SumTextsForAmount(c.amount), (SumTexts {c.rubles, c.kopecks}));
    }
}

TEST(SumInputsTest, RecalculatedSum) {
    const SumResult result =
        RecalculatedSum(KbkRowToSelector(2), 1970, 2016, CalendarDate {2016, 1, 1, 0, 0, 0},
                        CalendarDate {2016, 12, 31, 0, 0, 0}, IncomeFromTexts("", ""));
    EXPECT_EQ(result.amount, 1935648.0);
    EXPECT_EQ(result.texts, (SumTexts {"19356", "48"}));
}
