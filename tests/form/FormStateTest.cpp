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
    return {c.payer.EditText(),     c.address.text,         c.inn.text,       c.regNumber.text,
            c.snils.text,           c.birthYear.text,       c.incomeRub.text, c.incomeKop.text,
            c.sumRub.text,          c.sumKop.text,          c.fileName.text,  c.status.Selected(),
            c.year.Selected(),      c.taxPeriod.Selected(), c.kbk.Selected(), c.oktmo.Selected(),
            day(c.periodFrom.date), day(c.periodTo.date)};
}

TEST_F(FormState, SavedFormComesBackInANewDialog) {
    FillValidForm();
    C().payer.SetEditText("O'Brien \"Ltd\"");
    C().periodFrom.date = CalendarDate {2016, 3, 15, 10, 20, 30};
    dialog->OnCloseupPeriodFrom();
    C().oktmo.Select(7);
    Type(C().sumRub, "123");
    Type(C().sumKop, "45");
    const Snapshot saved = Take(C());

    EXPECT_TRUE(dialog->OnCancel());
    EXPECT_EQ(platform.profile.writeCount, 1); // all keys in one write
    EXPECT_EQ(platform.profile.values["kvt_fromDate"], "15|03|2016");
    EXPECT_EQ(platform.profile.values["kvt_toDate"], "31|12|2016");
    EXPECT_EQ(platform.profile.values["kvt_year"], "8");
    EXPECT_EQ(platform.profile.values.size(), 18u);

    Start();
    // The stored sum is shown, not the one the restored KBK would compute.
    EXPECT_EQ(Take(C()), saved);
    EXPECT_EQ(dialog->ValidateForm(), "");
}

TEST_F(FormState, MissingProfileGivesTheDefaults) {
    EXPECT_EQ(C().regNumber.text, ""); // not the bare mask
    EXPECT_EQ(C().snils.text, "");
    EXPECT_EQ(C().fileName.text, "kvt.html");
    EXPECT_EQ(C().sumRub.text, "0");
    EXPECT_EQ(C().sumKop.text, "00");
    EXPECT_EQ(C().incomeRub.text, "0");
    EXPECT_EQ(C().incomeKop.text, "00");
    EXPECT_EQ(C().status.Selected(), 0);
    EXPECT_EQ(C().year.Selected(), 0);
    EXPECT_EQ(C().kbk.Selected(), 0);

    // The masks appear once the user types.
    Type(C().regNumber, "1");
    dialog->OnChangeRegNumber();
    EXPECT_EQ(C().regNumber.text, "1__-___-______");
}

TEST_F(FormState, StatusThreeRestoresItsFixedMunicipality) {
    platform.profile.values = {{"kvt_stat", "3"}, {"kvt_year", "8"},  {"kvt_per", "1"},
                               {"kvt_kbk", "1"},  {"kvt_oktmo", "0"}, {"kvt_fromDate", ""}};
    Start();
    EXPECT_EQ(C().kbk.Selected(), 1);
    EXPECT_EQ(dialog->KbkNumbers(), std::vector<int> {26});
    ASSERT_EQ(C().oktmo.Count(), 1);
    EXPECT_EQ(C().oktmo.Selected(), 0);
    EXPECT_EQ(C().taxPeriod.Selected(), 1);
    EXPECT_EQ(C().periodFrom.date.year, 2016); // an empty date keeps 1 January of the year
    EXPECT_EQ(C().periodFrom.date.month, 1);
    EXPECT_EQ(C().periodFrom.date.day, 1);
}

TEST_F(FormState, RowsOutOfRangeSelectNothing) {
    platform.profile.values = {{"kvt_stat", "2"}, {"kvt_year", "8"}, {"kvt_kbk", "40"}, {"kvt_oktmo", "x"}};
    Start();
    EXPECT_EQ(C().kbk.Selected(), -1);
    EXPECT_EQ(C().create.enabled, false);
}

TEST_F(FormState, AProfileThatCannotBeWrittenIsToldOnceAtClosing) {
    FillValidForm();
    platform.profile.failure = Failure {"/home/u/.config/kvitok/kvitok.ini: Permission denied"};
    dialog->OnCreate(); // the receipt is what counts here
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_EQ(platform.shell.opened.size(), 1u);

    EXPECT_TRUE(dialog->OnCancel()); // the program still closes
    ASSERT_EQ(platform.messages.shown.size(), 2u);
    EXPECT_EQ(platform.messages.shown[1].text,
              "Не удалось сохранить форму в файл /home/u/.config/kvitok/kvitok.ini: Permission denied"_cp);
    EXPECT_EQ(platform.messages.shown[1].icon, MessageIcon::Warning);
    EXPECT_EQ(platform.profile.writeCount, 2);
}

TEST_F(FormState, CancelAtTheCloseQuestionKeepsAndWritesNothing) {
    FillValidForm();
    platform.messages.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(dialog->OnCancel());
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "Закрыть программу?"_cp);
    EXPECT_EQ(platform.messages.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(platform.profile.writeCount, 0);
    EXPECT_EQ(C().sumRub.text, "19356");
}

} // namespace
} // namespace kvitok::testing
