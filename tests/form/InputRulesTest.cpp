// The input rules on a few fields of their own: what each kind of field takes, and the words
// that tell what it did not.
#include "form/InputRules.h"
#include "form/InputMasks.h"
#include "text/Cp1251Literal.h"
#include "text/Utf16.h"

#include <gtest/gtest.h>

namespace kvitok::testing {
namespace {

TEST(InputRules, EachRefusalNamesTheCharacterAndTheFieldsReason) {
    const FieldRule printed {Takes::Printed, {}, 0, std::string("Адрес"_cp)};
    const FieldRule file {Takes::FileName, {}, 0, std::string("Файл"_cp)};
    const FieldRule inn {Takes::Digits, {}, 12, std::string("ИНН"_cp)};
    const FieldRule snils {Takes::Digits, kSnilsMask, 0, std::string("СНИЛС"_cp)};
    struct Case {
        const FieldRule& rule;
        std::u16string held;
        std::u16string reached;
        const char16_t* words; // nothing: taken as it reached the field
        int caret = 0;         // where a refused change began
    };
    const Case cases[] = {
        // What the field held may stay, but a second copy of it is new.
        {printed, u"A|b", u"A|bc", nullptr},
        {printed, u"A|b", u"A||b", u"Символ «|» нельзя напечатать в квитанции.", 2},
        {printed, u"Ab",
         u"A\xD83D"
         u"b",
         u"Символ U+D83D нельзя напечатать в квитанции.", 1},
        {file, u"kvt.html", u"kvt?.html", u"Символ «?» нельзя использовать в имени файла.", 3},
        {file, u"", u"Квитанции/kvt.html", nullptr},
        {file, u"kvt", u"kvt中", u"Символ «中» (U+4E2D) нельзя использовать в имени файла.", 3},
        {inn, u"12", u"12a", u"Символ «a» недопустим: здесь вводятся только цифры.", 2},
        {inn, u"123456789012", u"1234567890123",
         u"Символ «3» не помещается: в поле «ИНН» не больше 12 символов.", 12},
        {inn, u"123456789012", u"123456789012中",
         u"Символ «中» (U+4E2D) недопустим: здесь вводятся только цифры.", 12},
        // A longer value from elsewhere can be mended, not lengthened.
        {inn, u"5001007322590", u"500100732259", nullptr},
        {inn, u"5001007322590", u"50010073225901",
         u"Символ «1» не помещается: в поле «ИНН» не больше 12 символов.", 13},
        // A masked field takes its own separators and as many digits as it has places.
        {snils, u"123-___-___ __", u"123--___-___ __", nullptr},
        {snils, u"123-456-789 01", u"123-456-789 012",
         u"Символ «2» не помещается: в поле «СНИЛС» не больше 11 цифр.", 14},
        {snils, u"___-___-___ __", u"x___-___-___ __",
         u"Символ «x» недопустим: здесь вводятся только цифры."},
    };
    for (const Case& c : cases) {
        const InputVerdict verdict = JudgeInput(c.rule, c.held, c.reached);
        SCOPED_TRACE(Utf16ToCp1251(c.reached).value_or("?"));
        EXPECT_EQ(verdict.taken, c.words == nullptr);
        if (c.words == nullptr) {
            EXPECT_TRUE(verdict.text == c.reached);
            continue;
        }
        EXPECT_TRUE(verdict.refusal == c.words) << Utf16ToCp1251(verdict.refusal).value_or("?");
        EXPECT_TRUE(verdict.text == c.held);
        EXPECT_EQ(verdict.caret, c.caret);
    }
}

// A number pasted as people copy it loses the blanks around it and the blanks and dashes between
// its digits; what else it carries refuses it whole. Typed one by one, a blank is refused.
TEST(InputRules, PastedNumbersLoseTheirSeparators) {
    const FieldRule inn {Takes::Digits, {}, 12, std::string("ИНН"_cp)};
    const FieldRule sum {Takes::Digits, {}, 0, std::string("Сумма"_cp)};
    struct Case {
        const FieldRule& rule;
        std::u16string held;
        std::u16string reached;
        const char16_t* taken; // nothing: refused
        int caret = 0;
    };
    const Case cases[] = {
        {inn, u"", u" 7701 2345 6703 ", u"770123456703", 12},
        {inn, u"", u"7701\u00A02345\u20136703\r\n", u"770123456703", 12},
        {inn, u"77", u"77 ", nullptr},
        {inn, u"", u"7701 2345 6703 9", nullptr}, // a thirteenth digit
        {sum, u"", u"-500", nullptr},             // a dash that stands between no digits
        {sum, u"", u"1 500 руб", nullptr},
        {sum, u"10", u"1 200 0", u"12000", 4},
    };
    for (const Case& c : cases) {
        const InputVerdict verdict = JudgeInput(c.rule, c.held, c.reached);
        SCOPED_TRACE(Utf16ToCp1251(c.reached).value_or("?"));
        ASSERT_EQ(verdict.taken, c.taken != nullptr);
        if (c.taken != nullptr) {
            EXPECT_TRUE(verdict.text == c.taken);
            EXPECT_EQ(verdict.caret, c.caret);
        } else {
            EXPECT_FALSE(verdict.refusal.empty());
        }
    }
}

} // namespace
} // namespace kvitok::testing
