#include "refdata/BudgetCodes.h"

#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kvitok;

namespace {

std::vector<int> Numbers(const std::vector<OfferedKbk>& offered) {
    std::vector<int> numbers;
    for (const OfferedKbk& kbk : offered) {
        numbers.push_back(kbk.number);
    }
    return numbers;
}

} // namespace

TEST(BudgetCodes, PostfixFollowsTheYearText) {
    const ReferenceDictionary dictionary;
    const std::pair<const char*, const char*> cases[] = {
        {"2009", "0"}, {"2010", "1"}, {"2011", "1"}, {"2012", "2"}, {"2013", "3"}, {"2014", "4"},
        {"2015", "5"}, {"2016", "6"}, {"2017", ""},  {"2008", ""},  {"", ""},      {" 2016", ""},
    };
    for (const auto& [year, postfix] : cases) {
        EXPECT_EQ(KbkPostfixForYear(dictionary, year), postfix) << "year '" << year << "'";
    }
}

TEST(BudgetCodes, OfferedNumbersForEveryStatusAndGeneration) {
    const std::vector<int> employer = {14, 15, 16, 18, 19, 20, 22, 23, 24, 25};
    const std::vector<int> entrepreneur = {1, 2, 3, 4, 6, 7, 8, 10};
    std::vector<int> entrepreneur2014 = entrepreneur;
    entrepreneur2014.push_back(27);
    struct Case {
        int status;
        const char* postfix;
        std::vector<int> numbers;
    };
    const Case cases[] = {
        {1, "0", {14, 15, 18, 19, 22, 23}},
        {1, "1", {14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25}},
        {1, "2", employer},
        {1, "3", employer},
        {1, "4", employer},
        {1, "5", employer},
        {1, "6", employer},
        {2, "0", {2, 3, 6, 7, 10, 11}},
        {2, "1", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
        {2, "2", entrepreneur},
        {2, "3", entrepreneur},
        {2, "4", entrepreneur2014},
        {2, "5", entrepreneur2014},
        {2, "6", entrepreneur2014},
        {3, "0", {}},
        {3, "1", {26}},
        {3, "2", {26}},
        {3, "3", {26}},
        {3, "4", {26}},
        {3, "5", {26}},
        {3, "6", {26}},
        // Nothing for the empty status row, an unknown status or a year without a generation.
        {0, "6", {}},
        {4, "6", {}},
        {-1, "6", {}},
        {1, "", {}},
        {2, "", {}},
        {3, "", {}},
    };
    const ReferenceDictionary dictionary;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "status " << c.status << " postfix '" << c.postfix << "'");
        const std::vector<OfferedKbk> offered = OfferedKbks(dictionary, c.status, c.postfix);
        EXPECT_EQ(Numbers(offered), c.numbers);
        for (const OfferedKbk& kbk : offered) {
            const KbkCode code = KbkCodeAndName(dictionary, kbk.number, c.postfix);
            EXPECT_EQ(code.code.size(), 20u);
            EXPECT_FALSE(code.name.empty());
            EXPECT_EQ(kbk.rowText, code.code + " - " + code.name);
        }
    }
}

TEST(BudgetCodes, ListRowTextsOfNotableYears) {
    const ReferenceDictionary dictionary;

    const auto year2016 = OfferedKbks(dictionary, 2, "6");
    ASSERT_EQ(year2016.size(), 9u);
    EXPECT_EQ(year2016.front().rowText, "392102021xx0x10xx160 - Все взносы"_cp);
    EXPECT_EQ(year2016.back().rowText, "39210202140061200160 - Cтраховая часть (1% с дохода)"_cp);

    const auto year2009 = OfferedKbks(dictionary, 2, "0");
    ASSERT_FALSE(year2009.empty());
    EXPECT_EQ(year2009.front().rowText, "39210910010061000160 - Страховая часть (взносы)"_cp);

    const auto year2011 = OfferedKbks(dictionary, 2, "1");
    ASSERT_EQ(year2011.size(), 13u);
    EXPECT_EQ(year2011[4], (OfferedKbk {5, std::string("39210202103081012160 - ТФОМС(взносы)"_cp)}));

    // 10 and 25 share a code in 2016, but only 25 is the employer's.
    const auto employer2016 = Numbers(OfferedKbks(dictionary, 1, "6"));
    EXPECT_EQ(employer2016.back(), 25);
    EXPECT_EQ(KbkCodeAndName(dictionary, 10, "6").code, KbkCodeAndName(dictionary, 25, "6").code);
}

TEST(BudgetCodes, CodeAndNameOfANumber) {
    const ReferenceDictionary dictionary;
    EXPECT_EQ(KbkCodeAndName(dictionary, 26, "4"),
              (KbkCode {"39210202041061100160", std::string("Дополнительные страховые взносы(ДСВ)"_cp)}));
    EXPECT_EQ(KbkCodeAndName(dictionary, 10, "2"),
              (KbkCode {"39211620010066000140", std::string("Штрафы"_cp)}));
    // A name kept without its code is not offered and not printed.
    EXPECT_EQ(KbkCodeAndName(dictionary, 5, "2"), KbkCode {});
    EXPECT_EQ(KbkCodeAndName(dictionary, 9, "2"), KbkCode {});
    EXPECT_EQ(KbkCodeAndName(dictionary, 27, "3"), KbkCode {});
    EXPECT_EQ(KbkCodeAndName(dictionary, 2, ""), KbkCode {});
    EXPECT_EQ(KbkCodeAndName(dictionary, 0, "6"), KbkCode {});
}

TEST(BudgetCodes, RowToNumber) {
    const std::vector<int> numbers = {1, 2, 3, 4, 6, 7, 8, 10, 27};
    EXPECT_EQ(KbkNumberForRow(numbers, 0), 0);
    EXPECT_EQ(KbkNumberForRow(numbers, 1), 1);
    EXPECT_EQ(KbkNumberForRow(numbers, 9), 27);
    EXPECT_EQ(KbkNumberForRow(numbers, 10), 0);
    EXPECT_EQ(KbkNumberForRow(numbers, -1), 0);
    EXPECT_EQ(KbkNumberForRow({}, 1), 0);
}

TEST(BudgetCodes, ParseGroupMembersCutsItemsOffTheFront) {
    const std::pair<const char*, std::vector<int>> cases[] = {
        {"2,3,4,5,27,", {2, 3, 4, 5, 27}},
        {"7,27,", {7, 27}}, // "7," also ends "27,"
        {"27,7,", {27, 7}},
        {"2,2,3,", {2, 2, 3}}, // repeats stay
        {"2,3", {2}},          // text after the last comma is ignored
        {"", {}},
        {",,", {}},
        {"0,-4,x,5,", {5}},     // 0 and below are skipped
        {" 4,12abc,", {4, 12}}, // read as atoi does
    };
    for (const auto& [text, members] : cases) {
        EXPECT_EQ(ParseGroupMembers(text), members) << "list '" << text << "'";
    }
}

TEST(BudgetCodes, OnlyTheGroupKbkHasMembers) {
    const ReferenceDictionary dictionary;
    EXPECT_TRUE(IsGroupKbk(dictionary, 1));
    EXPECT_EQ(GroupMembersOfKbk(dictionary, 1), (std::vector<int> {2, 3, 4, 5, 27}));
    for (int number : {0, 2, 5, 26, 27, 28}) {
        EXPECT_FALSE(IsGroupKbk(dictionary, number)) << number;
        EXPECT_TRUE(GroupMembersOfKbk(dictionary, number).empty()) << number;
    }
}
