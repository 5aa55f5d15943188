#include "DialogFixture.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kvitok::testing {
namespace {

using FieldSwitching = DialogTest;

// Which switched controls are usable, in the order the switching sets them.
struct Enabled {
    bool snils, birthYear, dates, oktmo, inn, regNumber, sumRub, sumKop, incomeRub, incomeKop, file, create,
        browse;
    bool operator==(const Enabled&) const = default;
};

Enabled EnabledOf(const DialogControls& c) {
    return {c.Edit(Id::Snils).enabled,
            c.Edit(Id::BirthYear).enabled,
            c.Date(Id::PeriodFrom).enabled && c.Date(Id::PeriodTo).enabled,
            c.List(Id::Oktmo).Enabled(),
            c.Edit(Id::Inn).enabled,
            c.Edit(Id::RegNumber).enabled,
            c.Edit(Id::SumRub).enabled,
            c.Edit(Id::SumKop).enabled,
            c.Edit(Id::IncomeRub).enabled,
            c.Edit(Id::IncomeKop).enabled,
            c.Edit(Id::FileName).enabled,
            c.Button(Id::Create).enabled,
            c.Button(Id::Browse).enabled};
}

constexpr Enabled kNothing {false, false, false, false, false, false, false,
                            false, false, false, false, false, false};

TEST_F(FieldSwitching, StartsWithFixedListsAndEverythingSwitchedOff) {
    EXPECT_EQ(C().List(Id::Year).Count(), 9);
    EXPECT_EQ(C().List(Id::Year).RowText(1), "2009");
    EXPECT_EQ(C().List(Id::Year).RowText(8), "2016");
    EXPECT_EQ(C().List(Id::Year).Selected(), 0);
    ASSERT_EQ(C().List(Id::Status).Count(), 4);
    EXPECT_EQ(C().List(Id::Status).RowText(0), "");
    EXPECT_EQ(C().List(Id::Status).RowText(3).substr(0, 5), "24 - ");
    EXPECT_EQ(EnabledOf(C()), kNothing);
    EXPECT_EQ(C().List(Id::Oktmo).Count(), 0);
    EXPECT_EQ(C().Edit(Id::FileName).text, "kvt.html");
    EXPECT_EQ(platform.about.shownCount, 1);
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(FieldSwitching, AboutBoxComesBeforeTheSavedFormIsRead) {
    FakePlatform second;
    std::size_t readsBeforeAbout = 99;
    second.about.onShow = [&] {
        readsBeforeAbout = second.profile.readKeys.size();
    };
    MainDialog other(second.Services(), folder.File("insurers.db"));
    other.OnInitDialog();
    EXPECT_EQ(readsBeforeAbout, 0u);
    EXPECT_FALSE(second.profile.readKeys.empty());
}

TEST_F(FieldSwitching, StatusThreeOffersOneCodeAndOneMunicipality) {
    SelectYear(kRow2016);
    SelectStatus(3);
    ASSERT_EQ(C().List(Id::TaxPeriod).Count(), 2);
    EXPECT_EQ(C().List(Id::TaxPeriod).RowText(1), "ГД.00."_cp);
    EXPECT_EQ(C().List(Id::TaxPeriod).Selected(), 1);
    EXPECT_EQ(dialog->KbkNumbers(), std::vector<int> {26});
    EXPECT_EQ(C().List(Id::Kbk).Selected(), 1);
    ASSERT_EQ(C().List(Id::Oktmo).Count(), 1);
    EXPECT_EQ(C().List(Id::Oktmo).RowText(0).substr(0, 8), "06701000");
    EXPECT_EQ(C().List(Id::Oktmo).Selected(), 0);
    const Enabled expected {true, false, false, true, false, false, true,
                            true, false, false, true, true,  true};
    EXPECT_EQ(EnabledOf(C()), expected);
}

TEST_F(FieldSwitching, StatusOneOffersEveryMarkAndNeverComputesTheSum) {
    SelectYear(kRow2016);
    SelectStatus(1);
    EXPECT_EQ(C().List(Id::TaxPeriod).Count(), 18);
    EXPECT_EQ(C().List(Id::TaxPeriod).Selected(), 0);
    EXPECT_EQ(dialog->KbkNumbers(), (std::vector<int> {14, 15, 16, 18, 19, 20, 22, 23, 24, 25}));
    for (int row = 1; row <= 3; ++row) {
        Put(Id::SumRub, "500");
        SelectKbk(row);
        EXPECT_EQ(C().Edit(Id::SumRub).text, "0");
        EXPECT_EQ(C().Edit(Id::SumKop).text, "00");
        EXPECT_FALSE(C().Edit(Id::Snils).enabled);
        EXPECT_TRUE(C().Edit(Id::SumRub).enabled);
    }
}

TEST_F(FieldSwitching, StatusTwoOffersTheCodesOfTheYear) {
    SelectStatus(2);
    SelectYear(kRow2016);
    EXPECT_EQ(dialog->KbkNumbers(), (std::vector<int> {1, 2, 3, 4, 6, 7, 8, 10, 27}));
    SelectYear(1); // 2009
    EXPECT_EQ(dialog->KbkPostfix(), "0");
    ASSERT_FALSE(dialog->KbkNumbers().empty());
    for (int row = 1; row < C().List(Id::Kbk).Count(); ++row) {
        EXPECT_NE(C().List(Id::Kbk).RowText(row).substr(0, 3), " - ") << row;
    }
    EXPECT_EQ(std::count(dialog->KbkNumbers().begin(), dialog->KbkNumbers().end(), 27), 0);
}

TEST_F(FieldSwitching, TheYearDecidesBetweenBirthYearAndIncome) {
    SelectStatus(2);
    struct Case {
        int yearRow;
        bool birthYear, income;
    };
    for (const Case& c : {Case {kRow2013 - 1, true, false}, Case {kRow2013, true, false},
                          Case {kRow2014, false, true}, Case {kRow2016, false, true}}) {
        SelectYear(c.yearRow);
        SelectKbkNumber(1); // the group: its list holds both fields
        EXPECT_EQ(C().Edit(Id::BirthYear).enabled, c.birthYear) << c.yearRow;
        EXPECT_EQ(C().Edit(Id::IncomeRub).enabled, c.income) << c.yearRow;
        EXPECT_EQ(C().Edit(Id::IncomeKop).enabled, c.income) << c.yearRow;
    }
    SelectYear(0); // no postfix: no code to offer
    EXPECT_EQ(C().List(Id::Kbk).Count(), 1);
}

TEST_F(FieldSwitching, EmptyStatusSwitchesEverythingOff) {
    SelectYear(kRow2016);
    SelectStatus(2);
    SelectKbk(2);
    SelectStatus(0);
    EXPECT_EQ(C().List(Id::Kbk).Count(), 1);
    EXPECT_EQ(C().List(Id::Kbk).Selected(), -1);
    EXPECT_EQ(EnabledOf(C()), kNothing);
    EXPECT_EQ(C().List(Id::Oktmo).Count(), 0);
}

TEST_F(FieldSwitching, RowsAreRememberedAcrossRefills) {
    SelectYear(kRow2016);
    SelectStatus(2);
    SelectKbk(3);
    C().List(Id::Oktmo).Select(5);
    const std::string municipality = C().List(Id::Oktmo).RowText(5);
    SelectStatus(1);
    EXPECT_EQ(C().List(Id::Kbk).Selected(), 3); // the row number, not the code
    SelectStatus(3);                            // one code, one fixed municipality
    EXPECT_EQ(C().List(Id::Oktmo).Selected(), 0);
    SelectStatus(2); // a one-code list is not remembered: row 3 again
    EXPECT_EQ(C().List(Id::Kbk).Selected(), 3);
    EXPECT_EQ(C().List(Id::Oktmo).SelectedText(), municipality);
}

TEST_F(FieldSwitching, ComputedSumFollowsItsInputs) {
    SelectStatus(2);
    SelectYear(kRow2016);
    SelectKbkNumber(2);
    Put(Id::BirthYear, "1970");
    dialog->OnChangeBirthYear();
    EXPECT_EQ(C().Edit(Id::SumRub).text, "19356");
    EXPECT_EQ(C().Edit(Id::SumKop).text, "48");

    port.controls[Id::PeriodFrom].date = CalendarDate {2016, 3, 15, 0, 0, 0};
    sync->CalendarClosed(Id::PeriodFrom);
    EXPECT_EQ(C().Edit(Id::SumRub).text, "15401");
    EXPECT_EQ(C().Edit(Id::SumKop).text, "93");
    EXPECT_TRUE(platform.messages.shown.empty());

    port.controls[Id::PeriodTo].date = CalendarDate {2015, 12, 31, 0, 0, 0};
    sync->CalendarClosed(Id::PeriodTo);
    EXPECT_EQ(C().Edit(Id::SumRub).text, "0");
    EXPECT_EQ(C().Edit(Id::SumKop).text, "00");
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "Некорректная дата!"_cp);
    EXPECT_EQ(C().Date(Id::PeriodTo).date.year, 2015); // the picker keeps the user's date

    Put(Id::BirthYear, "197");
    C().Date(Id::PeriodTo).date = CalendarDate {2016, 12, 31, 0, 0, 0};
    dialog->OnChangeBirthYear(); // an incomplete birth year computes nothing
    EXPECT_EQ(C().Edit(Id::SumRub).text, "0");
}

} // namespace
} // namespace kvitok::testing
