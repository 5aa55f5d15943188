#include "text/NumberText.h"
#include "text/Format.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>

namespace kvitok {
namespace {

TEST(AtoI, ReadsLikeTheRuntimeLibrary) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"2016", 2016},
        {"  \t42x", 42},
        {"-7", -7},
        {"+8", 8},
        {"- 8", 0},
        {"007", 7},
        {"12.9", 12},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999999999999999", INT_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AtoI(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(AtoLL, ReadsSixtyFourBitsAndSaturates) {
    EXPECT_EQ(AtoLL(" 214748364800x"), 214748364800LL);
    EXPECT_EQ(AtoLL("-9223372036854775808"), LLONG_MIN);
    EXPECT_EQ(AtoLL("9223372036854775808"), LLONG_MAX);
    EXPECT_EQ(AtoLL("-99999999999999999999999"), LLONG_MIN);
}

TEST(AtoF, UsesThePointWhateverTheLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    // A comma-decimal locale where one is installed; the result must not change.
    for (const char* locale : {"C", "ru_RU.UTF-8", "de_DE.UTF-8", "Russian_Russia.1251"}) {
        std::setlocale(LC_NUMERIC, locale);
        EXPECT_DOUBLE_EQ(AtoF("0.311"), 0.311);
        EXPECT_DOUBLE_EQ(AtoF(" 158648.69"), 158648.69);
        EXPECT_DOUBLE_EQ(AtoF("-1.5e2"), -150.0);
        EXPECT_DOUBLE_EQ(AtoF("12,5"), 12.0);
        EXPECT_DOUBLE_EQ(AtoF(""), 0.0);
        EXPECT_DOUBLE_EQ(AtoF("руб"), 0.0);
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(FormatText, BuildsKeysOfAnyLength) {
    EXPECT_EQ(FormatText("KBK_%d_%s", 27, "6"), "KBK_27_6");
    EXPECT_EQ(FormatText("%s", ""), "");
    const std::string longText(5000, 'x');
    EXPECT_EQ(FormatText("[%s]", longText.c_str()), "[" + longText + "]");
}

} // namespace
} // namespace kvitok
