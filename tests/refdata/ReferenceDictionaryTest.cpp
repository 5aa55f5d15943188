#include "refdata/ReferenceDictionary.h"
#include "refdata/ReferenceTable.h"

#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

using namespace kvitok;

namespace {

bool RowExists(std::string_view key) {
    const auto rows = ReferenceRows();
    return std::any_of(rows.begin(), rows.end(), [key](const ReferenceRow& row) {
        return row.key == key;
    });
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
}

int Digit(char c) {
    return c - '0';
}

// Upper- or lower-case Cyrillic letter of code page 1251 (А..я, Ё, ё).
bool IsCyrillicLetter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0xC0 || byte == 0xA8 || byte == 0xB8;
}

} // namespace

TEST(ReferenceTable, HasAllRowsFromBeginToEndWithUniqueKeys) {
    const auto rows = ReferenceRows();
    ASSERT_EQ(rows.size(), 692u);
    EXPECT_EQ(rows.front().key, "BEGIN");
    EXPECT_EQ(rows.front().value, "VALUE");
    EXPECT_EQ(rows.back().key, "END");
    EXPECT_EQ(rows.back().value, "VALUE");

    std::set<std::string_view> keys;
    int emptyCodes = 0;
    int emptyNames = 0;
    for (const ReferenceRow& row : rows) {
        EXPECT_TRUE(keys.insert(row.key).second) << "duplicate key " << row.key;
        if (row.value.empty()) {
            (row.key.starts_with("KBK_NAME_") ? emptyNames : emptyCodes) += 1;
        }
    }
    EXPECT_EQ(emptyCodes, 53);
    EXPECT_EQ(emptyNames, 51);
}

TEST(ReferenceDictionary, StoresEveryRowButEnd) {
    const ReferenceDictionary dictionary;
    EXPECT_EQ(dictionary.Size(), 691u);
    EXPECT_EQ(dictionary.Lookup("BEGIN"), "VALUE");
    EXPECT_EQ(dictionary.Lookup("END"), "");
    EXPECT_EQ(dictionary.LookupInt("MAX_YEAR"), 2016);
    EXPECT_EQ(dictionary.Lookup("max_year"), "");
}

TEST(ReferenceDictionary, PresentButEmptyKeyReadsLikeMissingOne) {
    const ReferenceDictionary dictionary;
    ASSERT_TRUE(RowExists("KBK_5_6"));
    ASSERT_FALSE(RowExists("KBK_5_7"));
    EXPECT_EQ(dictionary.Lookup("KBK_5_6"), "");
    EXPECT_EQ(dictionary.Lookup("KBK_5_7"), "");
    EXPECT_EQ(dictionary.LookupDouble("KBK_5_6"), 0.0);
    EXPECT_EQ(dictionary.LookupInt("KBK_5_7"), 0);
}

TEST(ReferenceDictionary, CountedRunsHaveNoGaps) {
    const ReferenceDictionary dictionary;
    const auto marks = dictionary.CountedRun("PER_");
    ASSERT_EQ(marks.size(), 17u);
    EXPECT_EQ(marks[0], "ГД.00."_cp);
    EXPECT_EQ(marks[4], "КВ.04."_cp);
    EXPECT_EQ(marks[16], "МС.12."_cp);
    for (const std::string& mark : marks) {
        EXPECT_EQ(mark.size(), 6u);
        EXPECT_EQ(mark.back(), '.');
    }
    EXPECT_EQ(dictionary.CountedRun("OKTMO_NUM_").size(), 30u);
    EXPECT_EQ(dictionary.CountedRun("OKTMO_NAME_").size(), 30u);
    EXPECT_EQ(dictionary.CountedRun("STATUS_NUM_"), (std::vector<std::string> {"08", "24", "24"}));
    EXPECT_EQ(dictionary.CountedRun("STAT_KBK_").size(), 27u);
    EXPECT_EQ(dictionary.Lookup("STAT_KBK_0"), "X");
}

TEST(ReferenceDictionary, PerYearValuesMatchTheTariffTables) {
    struct Cell {
        const char* key;
        const char* value; // nullptr: the row must not exist
    };
    // clang-format off
    const Cell cells[] = {
        {"MROT_2009", "4330.00"}, {"MROT_2010", "4330.00"}, {"MROT_2011", "4330.00"}, {"MROT_2012", "4611.00"},
        {"MROT_2013", "5205.00"}, {"MROT_2014", "5554.00"}, {"MROT_2015", "5965.00"}, {"MROT_2016", "6204.00"},
        {"MROT_2017", nullptr}, {"MROT_2008", nullptr},
        {"POSTFIXKBK_2009", "0"}, {"POSTFIXKBK_2010", "1"}, {"POSTFIXKBK_2011", "1"}, {"POSTFIXKBK_2012", "2"},
        {"POSTFIXKBK_2013", "3"}, {"POSTFIXKBK_2014", "4"}, {"POSTFIXKBK_2015", "5"}, {"POSTFIXKBK_2016", "6"},
        {"POSTFIXKBK_2017", nullptr},
        {"REVENUE_1_2013", nullptr}, {"REVENUE_27_2013", nullptr}, {"MAXPAY_1_2013", nullptr},
        {"MAXPAY_27_2013", nullptr},
        {"REVENUE_1_2014", "300000.00"}, {"REVENUE_27_2014", "300000.00"},
        {"MAXPAY_1_2014", "142026.89"}, {"MAXPAY_27_2014", "138627.84"},
        {"REVENUE_1_2015", "300000.00"}, {"REVENUE_27_2015", "300000.00"},
        {"MAXPAY_1_2015", "152536.98"}, {"MAXPAY_27_2015", "148886.40"},
        {"REVENUE_1_2016", "300000.00"}, {"REVENUE_27_2016", "300000.00"},
        {"MAXPAY_1_2016", "158648.69"}, {"MAXPAY_27_2016", "154851.84"},
    };
    // clang-format on
    // Tariff columns: 1966_1, 1967_1, 1966_2, 1967_2, 1967_3, 1966_4, 1967_4, 1966_5, 1967_5,
    // 1966_27, 1967_27; nullptr marks a key that must be absent.
    const char* const columns[] = {"1966_1", "1967_1", "1966_2", "1967_2",  "1967_3", "1966_4",
                                   "1967_4", "1966_5", "1967_5", "1966_27", "1967_27"};
    struct TariffRow {
        int year;
        const char* values[11];
    };
    // clang-format off
    const TariffRow tariffs[] = {
        {2009, {"0.171", "0.171", "0.14", "0.08", "0.06", "0.011", "0.011", "0.02", "0.02", nullptr, nullptr}},
        {2010, {"0.231", "0.231", "0.2", "0.14", "0.06", "0.011", "0.011", "0.02", "0.02", nullptr, nullptr}},
        {2011, {"0.311", "0.311", "0.26", "0.20", "0.06", "0.031", "0.031", "0.02", "0.02", nullptr, nullptr}},
        {2012, {"0.311", "0.311", "0.26", "0.20", "0.06", "0.051", "0.051", nullptr, nullptr, nullptr, nullptr}},
        {2013, {"0.571", "0.571", "0.52", "0.40", "0.12", "0.051", "0.051", nullptr, nullptr, nullptr, nullptr}},
        {2014, {"0.311", "0.311", "0.26", "0.26", "0.0", "0.051", "0.051", nullptr, nullptr, "0.26", "0.26"}},
        {2015, {"0.311", "0.311", "0.26", "0.26", "0.0", "0.051", "0.051", nullptr, nullptr, "0.26", "0.26"}},
        {2016, {"0.311", "0.311", "0.26", "0.26", "0.0", "0.051", "0.051", nullptr, nullptr, "0.26", "0.26"}},
    };
    // clang-format on
    std::vector<Cell> all(std::begin(cells), std::end(cells));
    std::vector<std::string> keys; // owns the tariff keys the cells point into
    keys.reserve(std::size(tariffs) * (std::size(columns) + 1));
    for (const TariffRow& row : tariffs) {
        for (std::size_t c = 0; c < std::size(columns); ++c) {
            keys.push_back("TARIF" + std::string(columns[c]) + "_" + std::to_string(row.year));
            all.push_back({keys.back().c_str(), row.values[c]});
        }
        keys.push_back("TARIF1966_3_" + std::to_string(row.year));
        all.push_back({keys.back().c_str(), nullptr});
    }

    const ReferenceDictionary dictionary;
    for (const Cell& cell : all) {
        SCOPED_TRACE(cell.key);
        EXPECT_EQ(RowExists(cell.key), cell.value != nullptr);
        EXPECT_EQ(dictionary.Lookup(cell.key), cell.value ? cell.value : "");
    }
    EXPECT_EQ(dictionary.LookupDouble("MROT_2016"), 6204.0);
    EXPECT_EQ(dictionary.LookupDouble("TARIF1966_3_2016"), 0.0);
    EXPECT_EQ(dictionary.LookupDouble("TARIF1967_27_2015"), 0.26);
}

TEST(ReferenceDictionary, StatusesAndPaymentKinds) {
    const ReferenceDictionary dictionary;
    EXPECT_EQ(dictionary.Lookup("STATUS_NAME_1"), "индивидуальный предприниматель - работодатель"_cp);
    EXPECT_EQ(dictionary.Lookup("STATUS_NAME_3"), "физ.лица (для уплаты ДСВ)"_cp);
    EXPECT_EQ(dictionary.Lookup("STATUS_SW_0"), "-");
    EXPECT_EQ(dictionary.Lookup("STATUS_SW_1"), "MARKPER,");
    EXPECT_EQ(dictionary.Lookup("STATUS_SW_3"), "MARKPER_1,");
    EXPECT_EQ(dictionary.Lookup("PERIODFORM"), "@Markper@Period");
    EXPECT_EQ(dictionary.Lookup("GROUPKBK"), "2,3,4,5,27,");
    for (int n = 1; n <= 27; ++n) {
        SCOPED_TRACE(n);
        const bool penalty = (n >= 6 && n <= 9) || (n >= 18 && n <= 21);
        const bool fine = (n >= 10 && n <= 13) || (n >= 22 && n <= 25);
        const std::string suffix = std::to_string(n);
        EXPECT_EQ(dictionary.Lookup("PAY_TYPE_" + suffix), penalty ? "ПЕ"_cp : fine ? "ИШ"_cp : "ВЗ"_cp);
        EXPECT_EQ(dictionary.Lookup("PAY_KIND_" + suffix), penalty ? "03" : fine ? "10" : "61");
        // Only the group's switch list names GROUPKBK.
        const bool group = dictionary.Lookup("KBK_SW_" + suffix).find("GROUPKBK") != std::string::npos;
        EXPECT_EQ(group, n == 1);
    }
}

TEST(ReferenceDictionary, TwoNamesBeginWithLatinC) {
    std::set<std::string_view> latin;
    for (const ReferenceRow& row : ReferenceRows()) {
        if (!row.value.empty() && row.value.front() == 'C') {
            latin.insert(row.value);
        }
    }
    EXPECT_EQ(latin, (std::set<std::string_view> {"Cтраховая часть(взносы)"_cp,
                                                  "Cтраховая часть (1% с дохода)"_cp}));
    const ReferenceDictionary dictionary;
    EXPECT_EQ(dictionary.Lookup("KBK_NAME_2_0"), "Страховая часть (взносы)"_cp); // Cyrillic here
    EXPECT_EQ(dictionary.Lookup("KBK_NAME_2_1").front(), 'C');
}

TEST(ReferenceDictionary, PayeeDetailsAreWellFormed) {
    const ReferenceDictionary dictionary;
    const std::string inn = dictionary.Lookup("INN");
    ASSERT_EQ(inn.size(), 10u);
    ASSERT_TRUE(AllDigits(inn));
    const int innWeights[] = {2, 4, 10, 3, 5, 9, 4, 6, 8};
    int innSum = 0;
    for (int i = 0; i < 9; ++i) {
        innSum += Digit(inn[i]) * innWeights[i];
    }
    EXPECT_EQ(innSum % 11 % 10, Digit(inn[9]));

    const std::string kpp = dictionary.Lookup("KPP");
    EXPECT_EQ(kpp.size(), 9u);
    EXPECT_TRUE(AllDigits(kpp));
    const std::string idBank = dictionary.Lookup("IDBANK");
    EXPECT_EQ(idBank.size(), 8u);
    EXPECT_TRUE(AllDigits(idBank));

    const std::string bik = dictionary.Lookup("BIK");
    const std::string account = dictionary.Lookup("ACCOUNT");
    ASSERT_EQ(bik.size(), 9u);
    ASSERT_TRUE(AllDigits(bik));
    EXPECT_TRUE(bik.starts_with("04"));
    ASSERT_EQ(account.size(), 20u);
    ASSERT_TRUE(AllDigits(account));
    EXPECT_TRUE(account.starts_with("40101810"));
    // Account key: weights 7,1,3 over the BIK's last three digits followed by the account.
    const std::string keyed = bik.substr(6) + account;
    int accountSum = 0;
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        accountSum += Digit(keyed[i]) * (i % 3 == 0 ? 7 : i % 3 == 1 ? 1 : 3) % 10;
    }
    EXPECT_EQ(accountSum % 10, 0);

    const std::string reciever = dictionary.Lookup("RECIEVER");
    EXPECT_EQ(reciever.size(), 28u); // one byte per character in code page 1251
    EXPECT_TRUE(std::none_of(reciever.begin(), reciever.end(), [](char c) {
        return c >= 'A' && c <= 'z';
    }));

    const std::string bank = dictionary.Lookup("BANK");
    EXPECT_EQ(bank.size(), 43u);
    EXPECT_NE(bank.find("ОЛЬМГРАД"_cp), std::string::npos);
    for (char c : bank) {
        const auto byte = static_cast<unsigned char>(c);
        EXPECT_FALSE(byte >= 0xE0 || (c >= 'a' && c <= 'z')) << "lower-case character in BANK";
    }
}

TEST(ReferenceDictionary, MunicipalitiesShareOneRegion) {
    const ReferenceDictionary dictionary;
    const auto codes = dictionary.CountedRun("OKTMO_NUM_");
    const auto names = dictionary.CountedRun("OKTMO_NAME_");
    ASSERT_EQ(codes.size(), 30u);
    ASSERT_EQ(names.size(), 30u);
    std::set<std::string> distinct;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(codes[i].size(), 8u);
        EXPECT_TRUE(AllDigits(codes[i]));
        EXPECT_EQ(codes[i].substr(0, 2), codes[0].substr(0, 2));
        EXPECT_TRUE(distinct.insert(codes[i]).second);
        EXPECT_GE(names[i].size(), 5u);
        EXPECT_LE(names[i].size(), 22u);
        EXPECT_TRUE(IsCyrillicLetter(names[i].front()) || names[i].front() == '\xE3'); // г.
    }
    EXPECT_NE(names[25].find("Ольмград"_cp), std::string::npos);
}
