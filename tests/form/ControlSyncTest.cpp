// The control sync through a fake window: what a person does reaches the handlers once, and
// what the program writes reaches none.
#include "DialogFixture.h"
#include "payers/DbConnection.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

namespace kvitok::testing {
namespace {

using ControlSyncTest = DialogTest;

// A window that reports the program's own writes as the person's (as Windows sends EN_CHANGE
// for SetWindowText) changes nothing: at the first start the masked fields stay empty, and a
// restored sum is shown as stored although its KBK computes the sum.
TEST_F(ControlSyncTest, ValuesWrittenByTheProgramRaiseNoHandler) {
    platform.profile.values = {
        {"kvt_stat", "2"}, {"kvt_year", "5"},        {"kvt_kbk", "1"},       {"kvt_rub", "100"},
        {"kvt_kop", "05"}, {"kvt_bornyear", "1970"}, {"kvt_revrub", "1000"}, {"kvt_fromDate", "01|03|2013"}};
    sync.reset();
    dialog = std::make_unique<MainDialog>(platform.Services(), folder.File("insurers.db"));
    sync = std::make_unique<ControlSync>(*dialog, port);
    port.echo = sync.get();
    sync->Start();
    ASSERT_TRUE(C().Edit(Id::BirthYear).enabled);
    EXPECT_TRUE(port.controls[Id::Snils].text.empty());
    EXPECT_TRUE(port.controls[Id::RegNumber].text.empty());
    EXPECT_TRUE(port.controls[Id::SumRub].text == u"100");
    EXPECT_TRUE(port.controls[Id::SumKop].text == u"05");
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_EQ(port.writesOutsideUpdate, 0);

    // The person's own change still computes.
    Type(Id::BirthYear, "1971");
    EXPECT_FALSE(port.controls[Id::SumRub].text == u"100");
}

// What reaches an edit is checked as it is read: a character the receipt cannot print, or a
// non-digit in a digits field, sends the field back to the form's value with the caret where
// the change began, and the person is told at the field which character it was.
TEST_F(ControlSyncTest, RefusedInputIsToldAtTheFieldAndNothingOfItKept) {
    FillValidForm();
    struct Case {
        int id;
        std::string before; // windows-1251, put by the program
        std::u16string reached;
        const char16_t* named; // nothing: accepted
    };
    const Case cases[] = {
        {Id::Address, "Ab", u"AТест 中文 😀 Ёжb", u"«中»"},
        {Id::Address, "Ab", u"AX中Yb", u"«中»"}, // a paste, refused whole
        {Id::Address, "Ab", u"A😀b", u"«😀»"},
        {Id::Address, "Ab", u"A|b", u"«|»"},
        {Id::Address, "Ab", u"A\tb", u"U+0009"},
        {Id::Address, "Ab", u"A\xD83D", u"U+D83D"}, // half a pair, as a keyboard may send it
        {Id::Payer, "Ab", u"A中b", u"«中»"},
        {Id::Inn, "50", u"5a0", u"«a»"},
        {Id::SumRub, "12", u"1 2", u"« »"},
        // What the program put there may stay while the person edits around it.
        {Id::Address, "A|b", u"A|bc", nullptr},
        {Id::SumRub, "1x", u"1x2", nullptr},
        {Id::Address, "Ab", u"AЁжb№", nullptr},
    };
    for (const Case& c : cases) {
        if (c.id == Id::Payer) {
            C().List(Id::Payer).SetEditText(c.before);
        } else {
            Put(c.id, c.before);
        }
        sync->Refresh();
        port.tips.clear();
        port.controls[c.id].text = c.reached;
        port.controls[c.id].selection = {2, 2};
        sync->TextChanged(c.id);

        const std::string held = c.id == Id::Payer ? C().List(Id::Payer).EditText() : C().Edit(c.id).text;
        if (c.named == nullptr) {
            EXPECT_TRUE(port.tips.empty()) << c.id;
            EXPECT_EQ(held, Utf16ToCp1251(c.reached)) << c.id;
            continue;
        }
        EXPECT_EQ(held, c.before) << c.id;
        EXPECT_TRUE(port.controls[c.id].text == Cp1251ToUtf16(c.before)) << c.id;
        EXPECT_EQ(port.controls[c.id].selection.end, 1) << c.id;
        ASSERT_EQ(port.tips.size(), 1u) << c.id;
        EXPECT_EQ(port.tips[0].id, c.id);
        EXPECT_NE(port.tips[0].text.find(c.named), std::u16string::npos) << c.id;
    }
    EXPECT_TRUE(platform.messages.shown.empty());
}

// What a field shows is what an action uses: a text that reached a field without a report (as
// another program's WM_SETTEXT reaches a list's edit) is judged when the next action reads the
// form; refused, it is put back and told at its field, and the action does nothing.
TEST_F(ControlSyncTest, AnActionUsesOnlyWhatTheFieldsShow) {
    FillValidForm();
    port.controls[Id::Payer].text = u"Петров 中";
    Click(Id::Create);
    EXPECT_TRUE(platform.shell.opened.empty());
    EXPECT_EQ(platform.profile.writeCount, 0);
    ASSERT_EQ(port.tips.size(), 1u);
    EXPECT_EQ(port.tips[0].id, Id::Payer);
    EXPECT_TRUE(port.controls[Id::Payer].text == u"Ivanov Ivan");
    EXPECT_TRUE(platform.messages.shown.empty());

    port.controls[Id::Address].text = u"Ольмград, 2";
    Click(Id::Create);
    ASSERT_EQ(platform.shell.opened.size(), 1u);
    EXPECT_NE(ReadFile(folder.File("kvt.html")).find("Ольмград, 2"_cp), std::string::npos);
}

// With a birth year over its limit in an enabled field (from a hand-edited profile), a "?" still
// shows its help, and a payer pick that the value refuses keeps what the person had typed.
TEST_F(ControlSyncTest, AnOverlongValueStopsNeitherHelpNorTyping) {
    FillValidForm();
    SelectYear(kRow2013);
    SelectKbkNumber(2);
    ASSERT_TRUE(C().Edit(Id::BirthYear).enabled);
    Put(Id::BirthYear, "19701");
    sync->Refresh();
    Click(Id::HelpYear);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, FormRow(Id::HelpYear).help);

    C().List(Id::Payer).AddRow("Stored");
    sync->Refresh();
    Type(Id::Payer, "Sidorov P");
    Pick(Id::Payer, 0);
    EXPECT_EQ(platform.messages.shown.back().text, "Введите не более 4 символов."_cp);
    EXPECT_EQ(C().List(Id::Payer).EditText(), "Sidorov P");
    EXPECT_TRUE(port.controls[Id::Payer].text == u"Sidorov P");
}

// Enter reaches "Создать" wherever the focus is, but a switched-off "Создать" does nothing; each
// "?" shows its own text.
TEST_F(ControlSyncTest, ButtonsRunTheirOwnHandlerOnlyWhileOn) {
    ASSERT_FALSE(C().Button(Id::Create).enabled);
    Click(Id::Create);
    EXPECT_TRUE(platform.messages.shown.empty());

    int helps = 0;
    for (const FormControl& control : MainDialogTemplate().controls) {
        if (control.help.empty()) {
            continue;
        }
        Click(control.id);
        ASSERT_EQ(platform.messages.shown.size(), static_cast<std::size_t>(++helps));
        EXPECT_EQ(platform.messages.shown.back().text, control.help);
        EXPECT_EQ(platform.messages.shown.back().icon, MessageIcon::Information);
    }
    EXPECT_EQ(helps, 8);
}

// A long payer list goes to the window a piece at a time while the about box is up; Refresh
// then sends only what is left, and a list changed in between is sent anew. Nothing is sent
// twice, and the list ends showing the model's rows with nothing selected.
TEST_F(ControlSyncTest, ALongListShownAheadIsNotSentAgain) {
    constexpr std::size_t kNames = 5000;
    {
        DbConnection db;
        db.openFile(folder.File("insurers.db"));
        db.runCommand("with recursive n(i) as (select 1 union all select i + 1 from n where i < 5000) "
                      "insert into insurers(name) select 'Payer ' || (i * 7919 % 5000) from n;");
    }
    struct Case {
        bool stopAtFirstRows; // Enter pressed on the box before all rows went ahead
        bool changed;         // and the list changed then
        std::size_t sent;
    };
    for (const Case c :
         {Case {false, false, kNames}, Case {true, false, kNames}, Case {true, true, 2048 + kNames + 1}}) {
        std::size_t sentAhead = 0;
        platform.about.onShow = [&] {
            while (sync->Idle().RunPiece() && !(c.stopAtFirstRows && port.controls[Id::Payer].rowsSent > 0)) {
            }
            if (c.changed) {
                C().List(Id::Payer).AddRow("New");
            }
            sentAhead = port.controls[Id::Payer].rowsSent;
        };
        Start();
        const FakePort::Control& shown = port.controls[Id::Payer];
        EXPECT_EQ(sentAhead, c.stopAtFirstRows ? 2048 : kNames);
        EXPECT_EQ(shown.rowsSent, c.sent);
        ASSERT_EQ(C().List(Id::Payer).Count(), static_cast<int>(kNames + (c.changed ? 1 : 0)));
        std::vector<std::u16string> rows;
        for (const std::string& row : C().List(Id::Payer).Rows()) {
            rows.push_back(Cp1251ToUtf16(row));
        }
        EXPECT_TRUE(shown.rows == rows);
        EXPECT_EQ(shown.row, -1);
        EXPECT_FALSE(sync->Idle().RunPiece());
    }
}

} // namespace
} // namespace kvitok::testing
