#include "DialogFixture.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

namespace kvitok::testing {
namespace {

using FormState = DialogTest;

// Everything the profile keeps, as the controls show it.
struct Snapshot {
    std::string payer, address, inn, regNumber, snils, birthYear, incomeRub, incomeKop, sumRub, sumKop,
        fileName;
    int status, year, taxPeriod, kbk, oktmo;
    CalendarDate from, to;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const DialogControls& c) {
    auto day = [](CalendarDate d) {
        return CalendarDate {d.year, d.month, d.day, 0, 0, 0};
    };
    return {c.List(Id::Payer).EditText(), c.Edit(Id::Address).text,         c.Edit(Id::Inn).text,
            c.Edit(Id::RegNumber).text,   c.Edit(Id::Snils).text,           c.Edit(Id::BirthYear).text,
            c.Edit(Id::IncomeRub).text,   c.Edit(Id::IncomeKop).text,       c.Edit(Id::SumRub).text,
            c.Edit(Id::SumKop).text,      c.Edit(Id::FileName).text,        c.List(Id::Status).Selected(),
            c.List(Id::Year).Selected(),  c.List(Id::TaxPeriod).Selected(), c.List(Id::Kbk).Selected(),
            c.List(Id::Oktmo).Selected(), day(c.Date(Id::PeriodFrom).date), day(c.Date(Id::PeriodTo).date)};
}

TEST_F(FormState, SavedFormComesBackInANewDialog) {
    FillValidForm();
    C().List(Id::Payer).SetEditText("O'Brien \"Ltd\"");
    port.controls[Id::PeriodFrom].date = CalendarDate {2016, 3, 15, 10, 20, 30};
    sync->CalendarClosed(Id::PeriodFrom);
    C().List(Id::Oktmo).Select(7);
    Put(Id::SumRub, "123");
    Put(Id::SumKop, "45");
    const Snapshot saved = Take(C());

    EXPECT_TRUE(sync->Cancel());
    EXPECT_EQ(platform.profile.writeCount, 1); // all keys in one write
    EXPECT_EQ(platform.profile.values["kvt_fromDate"], "15|03|2016");
    EXPECT_EQ(platform.profile.values["kvt_toDate"], "31|12|2016");
    EXPECT_EQ(platform.profile.values["kvt_year"], "8");
    // A new profile lists its keys in the documented order.
    EXPECT_EQ(platform.profile.writtenKeys,
              (std::vector<std::string> {"kvt_insurer", "kvt_addr", "kvt_stat", "kvt_kbk", "kvt_inn",
                                         "kvt_regnum", "kvt_snils", "kvt_bornyear", "kvt_per", "kvt_year",
                                         "kvt_oktmo", "kvt_rub", "kvt_kop", "kvt_revrub", "kvt_revkop",
                                         "kvt_filename", "kvt_fromDate", "kvt_toDate"}));

    Start();
    // The stored sum is shown, not the one the restored KBK would compute.
    EXPECT_EQ(Take(C()), saved);
    EXPECT_EQ(dialog->ValidateForm(), "");
}

TEST_F(FormState, MissingProfileGivesTheDefaults) {
    EXPECT_EQ(C().Edit(Id::RegNumber).text, ""); // not the bare mask
    EXPECT_EQ(C().Edit(Id::Snils).text, "");
    EXPECT_EQ(C().Edit(Id::FileName).text, "kvt.html");
    EXPECT_EQ(C().Edit(Id::SumRub).text, "0");
    EXPECT_EQ(C().Edit(Id::SumKop).text, "00");
    EXPECT_EQ(C().Edit(Id::IncomeRub).text, "0");
    EXPECT_EQ(C().Edit(Id::IncomeKop).text, "00");
    EXPECT_EQ(C().List(Id::Status).Selected(), 0);
    EXPECT_EQ(C().List(Id::Year).Selected(), 0);
    EXPECT_EQ(C().List(Id::Kbk).Selected(), 0);

    // The masks appear once the user types.
    Put(Id::RegNumber, "1");
    dialog->OnChangeRegNumber();
    EXPECT_EQ(C().Edit(Id::RegNumber).text, "1__-___-______");
}

TEST_F(FormState, StatusThreeRestoresItsFixedMunicipality) {
    platform.profile.values = {{"kvt_stat", "3"}, {"kvt_year", "8"},  {"kvt_per", "1"},
                               {"kvt_kbk", "1"},  {"kvt_oktmo", "0"}, {"kvt_fromDate", ""}};
    Start();
    EXPECT_EQ(C().List(Id::Kbk).Selected(), 1);
    EXPECT_EQ(dialog->KbkNumbers(), std::vector<int> {26});
    ASSERT_EQ(C().List(Id::Oktmo).Count(), 1);
    EXPECT_EQ(C().List(Id::Oktmo).Selected(), 0);
    EXPECT_EQ(C().List(Id::TaxPeriod).Selected(), 1);
    EXPECT_EQ(C().Date(Id::PeriodFrom).date.year, 2016); // an empty date keeps 1 January of the year
    EXPECT_EQ(C().Date(Id::PeriodFrom).date.month, 1);
    EXPECT_EQ(C().Date(Id::PeriodFrom).date.day, 1);
}

TEST_F(FormState, RowsOutOfRangeSelectNothing) {
    platform.profile.values = {{"kvt_stat", "2"}, {"kvt_year", "8"}, {"kvt_kbk", "40"}, {"kvt_oktmo", "x"}};
    Start();
    EXPECT_EQ(C().List(Id::Kbk).Selected(), -1);
    EXPECT_EQ(C().Button(Id::Create).enabled, false);
}

TEST_F(FormState, AProfileThatCannotBeWrittenIsToldOnceAtClosing) {
    FillValidForm();
    platform.profile.failure = Failure {"/home/u/.config/kvitok/kvitok.ini: Permission denied"};
    Click(Id::Create); // the receipt is what counts here
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_EQ(platform.shell.opened.size(), 1u);

    EXPECT_TRUE(sync->Cancel()); // the program still closes
    ASSERT_EQ(platform.messages.shown.size(), 2u);
    EXPECT_EQ(platform.messages.shown[1].text,
              "Не удалось сохранить форму в файл /home/u/.config/kvitok/kvitok.ini: Permission denied"_cp);
    EXPECT_EQ(platform.messages.shown[1].icon, MessageIcon::Warning);
    EXPECT_EQ(platform.profile.writeCount, 2);
}

TEST_F(FormState, CancelAtTheCloseQuestionKeepsAndWritesNothing) {
    FillValidForm();
    platform.messages.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(sync->Cancel());
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "Закрыть программу?"_cp);
    EXPECT_EQ(platform.messages.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(platform.profile.writeCount, 0);
    EXPECT_EQ(C().Edit(Id::SumRub).text, "19356");
}

} // namespace
} // namespace kvitok::testing
