#include "DialogFixture.h"
#include "text/Cp1251Literal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <tuple>

namespace kvitok::testing {
namespace {

using Validation = DialogTest;
// Which edit of the form a case types into.
using EditField = int;

std::string Head() {
    return std::string("Следующие поля не заполнены или заполнены некорректно: "_cp);
}

TEST_F(Validation, EmptyFormNamesItsFieldsAndTheSum) {
    EXPECT_EQ(dialog->ValidateForm(), Head() + std::string("Плательщик, Адрес, Налоговый период, Статус"_cp) +
                                          ".\n" + std::string("Некорректная сумма.\n"_cp));
}

TEST_F(Validation, FilledFormPasses) {
    FillValidForm();
    EXPECT_EQ(C().Edit(Id::SumRub).text, "19356");
    EXPECT_EQ(dialog->ValidateForm(), "");
}

TEST_F(Validation, EachFaultyFieldIsNamed) {
    struct Case {
        const char* what;
        std::function<void(DialogTest&, DialogControls&)> spoil;
        std::string_view label;
    };
    const auto type = [](EditField field, std::string text) {
        return [field, text](DialogTest&, DialogControls& c) {
            c.Edit(field).text = text;
        };
    };
    const auto typePayer = [](std::string text) {
        return [text](DialogTest&, DialogControls& c) {
            c.List(Id::Payer).SetEditText(text);
        };
    };
    // The birth year is asked for only up to 2013.
    const auto birthYearIn2013 = [](std::string text) {
        return [text](DialogTest& t, DialogControls& c) {
            t.SelectYear(kRow2013);
            t.SelectKbkNumber(2);
            c.Edit(Id::BirthYear).text = text;
        };
    };
    const Case cases[] = {
        {"no payer", typePayer(""), "Плательщик"_cp},
        {"bar in payer", typePayer("Ivanov|Sum=1"), "Плательщик"_cp},
        {"bar in address", type(Id::Address, "Olmgrad|1"), "Адрес"_cp},
        // Control characters (from a hand-edited profile) could cut the payment line.
        {"nul in payer", typePayer(std::string("Ivanov\0Ivan", 11)), "Плательщик"_cp},
        {"tab in address", type(Id::Address, "Olmgrad,\t1"), "Адрес"_cp},
        {"line feed in address", type(Id::Address, "Olmgrad\n1"), "Адрес"_cp},
        {"unit separator in snils", type(Id::Snils, "112-233-445 95\x1f"), "СНИЛС"_cp},
        {"escape in reg number", type(Id::RegNumber, "123-456-789012\x1b"), "Рег.номер"_cp},
        {"snils check number", type(Id::Snils, "112-233-445 96"), "СНИЛС"_cp},
        {"snils incomplete", type(Id::Snils, "112-233-445 9_"), "СНИЛС"_cp},
        {"birth year too early", birthYearIn2013("1899"), "Год рождения"_cp},
        {"birth year short", birthYearIn2013("970"), "Год рождения"_cp},
        {"no oktmo",
         [](DialogTest&, DialogControls& c) {
             c.List(Id::Oktmo).Select(0);
         },
         "ОКТМО"_cp},
        {"inn of 11", type(Id::Inn, "50010073225"), "ИНН"_cp},
        {"inn first check", type(Id::Inn, "500100732239"), "ИНН"_cp},
        {"inn letters", type(Id::Inn, "77O7083893"), "ИНН"_cp},
        {"reg number incomplete", type(Id::RegNumber, "123-456-78901_"), "Рег.номер"_cp},
        {"rub not a number", type(Id::SumRub, "12abc"), "руб"_cp},
        {"rub empty", type(Id::SumRub, ""), "руб"_cp},
        {"kop one digit", type(Id::SumKop, "5"), "коп"_cp},
        {"kop not digits", type(Id::SumKop, "4x"), "коп"_cp},
        {"no file", type(Id::FileName, ""), "Файл"_cp},
    };
    for (const Case& c : cases) {
        FillValidForm();
        c.spoil(*this, C());
        EXPECT_EQ(dialog->ValidateForm(), Head() + std::string(c.label) + ".\n") << c.what;
    }
}

// An INN over 12 characters can come from a hand-edited profile or a payer file. Every action
// that reads the form complains once, and its handler writes nothing back: what the person
// typed stays, a list picked in goes back to its row with the form built for it, and nothing
// is saved or written.
TEST_F(Validation, RefusedReadComplainsOnceAndRevertsNothing) {
    FillValidForm();
    const std::string overlong = "5001007322590";
    struct Action {
        const char* what;
        std::function<void()> run;
        std::size_t messages = 1;
    };
    const Action actions[] = {
        {"status",
         [&] {
             SelectStatus(1);
         }},
        {"year",
         [&] {
             SelectYear(kRow2014);
         }},
        {"kbk",
         [&] {
             SelectKbk(1);
         }},
        {"birth year",
         [&] {
             Type(Id::BirthYear, "1980");
         }},
        {"income",
         [&] {
             Type(Id::IncomeRub, "500000");
         }},
        {"period end",
         [&] {
             sync->CalendarClosed(Id::PeriodTo);
         }},
        {"reg. number typed",
         [&] {
             Type(Id::RegNumber, "999-888-77766");
         }},
        {"snils focused",
         [&] {
             sync->FocusEntered(Id::Snils);
         }},
        {"create",
         [&] {
             Click(Id::Create);
         }},
        {"browse",
         [&] {
             platform.saveDialog.answer = u"/home/u/chosen.html";
             Click(Id::Browse);
         }},
        {"close",
         [&] {
             EXPECT_FALSE(sync->Cancel());
         },
         2}, // the question, then the complaint
    };
    // What the handlers built: the rows of the lists picked in and of the lists and fields they switch.
    const auto built = [this] {
        return std::tuple(C().List(Id::Status).Selected(), C().List(Id::Year).Selected(),
                          C().List(Id::Kbk).Selected(), C().List(Id::Kbk).Rows(), C().List(Id::Oktmo).Rows(),
                          C().Edit(Id::BirthYear).enabled, C().Edit(Id::IncomeRub).enabled);
    };
    const auto before = built();
    for (const Action& action : actions) {
        Put(Id::Inn, overlong);
        Put(Id::RegNumber, "999-888-77766");
        Put(Id::FileName, "typed.html");
        Put(Id::SumRub, "1234");
        platform.messages.shown.clear();
        action.run();
        ASSERT_EQ(platform.messages.shown.size(), action.messages) << action.what;
        EXPECT_EQ(platform.messages.shown.back().text, "Введите не более 12 символов."_cp) << action.what;
        EXPECT_EQ(C().Edit(Id::Inn).text, overlong) << action.what;
        EXPECT_EQ(C().Edit(Id::RegNumber).text, "999-888-77766") << action.what;
        EXPECT_EQ(C().Edit(Id::FileName).text, "typed.html") << action.what;
        EXPECT_EQ(C().Edit(Id::SumRub).text, "1234") << action.what;
        EXPECT_EQ(built(), before) << action.what;
    }
    EXPECT_EQ(platform.profile.writeCount, 0);
    EXPECT_TRUE(platform.shell.opened.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.File("kvt.html")));

    // Once the INN is mended the same actions work again.
    Put(Id::Inn, "500100732259");
    platform.messages.shown.clear();
    SelectStatus(1);
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_NE(built(), before);
}

// A longer value in a field the person cannot reach (from a hand-edited profile) refuses
// nothing: the form closes and keeps it, rather than holding the program open for good.
TEST_F(Validation, OverlongValueInADisabledFieldDoesNotHoldTheProgram) {
    platform.profile.values = {
        {"kvt_stat", "3"}, {"kvt_year", "8"}, {"kvt_kbk", "1"}, {"kvt_inn", "5001007322590"}};
    Start();
    ASSERT_FALSE(C().Edit(Id::Inn).enabled);
    EXPECT_TRUE(sync->Cancel());
    ASSERT_EQ(platform.messages.shown.size(), 1u); // the question only
    EXPECT_EQ(platform.profile.values["kvt_inn"], "5001007322590");
    EXPECT_EQ(platform.profile.values["kvt_stat"], "3");
}

TEST_F(Validation, ValidInnsOfBothLengthsPass) {
    FillValidForm();
    for (const char* inn : {"7707083893", "500100732259"}) {
        Put(Id::Inn, inn);
        EXPECT_EQ(dialog->ValidateForm(), "") << inn;
    }
}

TEST_F(Validation, DateSentences) {
    FillValidForm();
    C().Date(Id::PeriodFrom).date = CalendarDate {2016, 6, 1, 0, 0, 0};
    C().Date(Id::PeriodTo).date = CalendarDate {2016, 5, 31, 0, 0, 0};
    EXPECT_EQ(dialog->ValidateForm(), "Начальная дата периода уплаты больше конечной.\n"_cp);

    C().Date(Id::PeriodFrom).date = CalendarDate {2015, 1, 1, 0, 0, 0};
    C().Date(Id::PeriodTo).date = CalendarDate {2015, 12, 31, 0, 0, 0};
    EXPECT_EQ(dialog->ValidateForm(), std::string("Некорректная начальная дата периода уплаты.\n"_cp) +
                                          std::string("Некорректная конечная дата периода уплаты.\n"_cp));
}

TEST_F(Validation, AmountOfOneKopeckIsEnough) {
    FillValidForm();
    Put(Id::SumRub, "0");
    Put(Id::SumKop, "01");
    EXPECT_EQ(dialog->ValidateForm(), "");
    Put(Id::SumKop, "00");
    EXPECT_EQ(dialog->ValidateForm(), "Некорректная сумма.\n"_cp);
}

TEST_F(Validation, OverlongInnIsRefusedAndNothingIsCreated) {
    FillValidForm();
    const int writesBefore = platform.profile.writeCount;
    Put(Id::Inn, "5001007322590");
    Click(Id::Create);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "Введите не более 12 символов."_cp);
    EXPECT_EQ(platform.profile.writeCount, writesBefore);
    EXPECT_TRUE(platform.shell.opened.empty());
    EXPECT_EQ(C().Edit(Id::Inn).limit, 12u);
    EXPECT_EQ(C().Edit(Id::BirthYear).limit, 4u);
}

} // namespace
} // namespace kvitok::testing

namespace kvitok::testing {
namespace {

using MaskedFields = DialogTest;

// One keystroke at the caret as the window's edit takes it: an insertion, or a backspace ("\b").
void Keystroke(FakePort::Control& edit, const std::u16string& typed) {
    const auto caret = static_cast<std::size_t>(edit.selection.end);
    if (typed == u"\b") {
        edit.text.erase(caret - 1, 1);
        edit.selection = {static_cast<int>(caret - 1), static_cast<int>(caret - 1)};
        return;
    }
    edit.text.insert(caret, typed);
    edit.selection = {static_cast<int>(caret + typed.size()), static_cast<int>(caret + typed.size())};
}

TEST_F(MaskedFields, TypingPastingAndDeletingKeepTheMask) {
    struct Step {
        int field;
        std::u16string typed;
        std::u16string shown;
        int caret;
        int caretBefore = -1; // where the person put the caret first; -1 leaves it
    };
    const Step steps[] = {
        {Id::RegNumber, u"1", u"1__-___-______", 1},
        {Id::RegNumber, u"2", u"12_-___-______", 2},
        {Id::RegNumber, u"3", u"123-___-______", 3},
        {Id::RegNumber, u"4", u"123-4__-______", 5},
        {Id::RegNumber, u"\b", u"123-4__-______", 3, 4}, // over the literal: it comes back
        // A paste: the blanks and dashes between its digits go (a slash or a twelfth digit would
        // refuse it whole: see the refusals of the control sync).
        {Id::Snils, u"12 3-45 6 78-9 0 1", u"123-456-789 01", 14},
    };
    for (const Step& step : steps) {
        FakePort::Control& edit = port.controls[step.field];
        if (step.caretBefore >= 0) {
            edit.selection = {step.caretBefore, step.caretBefore};
        }
        Keystroke(edit, step.typed);
        sync->TextChanged(step.field);
        EXPECT_TRUE(edit.text == step.shown) << step.caret;
        EXPECT_EQ(edit.selection.end, step.caret);
    }
    EXPECT_EQ(dialog->Form().snils, "123-456-789 01");
}

TEST_F(MaskedFields, FocusOnABareMaskPutsTheCaretFirst) {
    TypeUtf16(Id::RegNumber, u""); // the bare mask
    ASSERT_TRUE(port.controls[Id::RegNumber].text == u"___-___-______");
    port.controls[Id::RegNumber].selection = {7, 7};
    sync->FocusEntered(Id::RegNumber);
    EXPECT_EQ(port.controls[Id::RegNumber].selection.end, 0);

    TypeUtf16(Id::Snils, u"1");
    port.controls[Id::Snils].selection = {5, 5};
    sync->FocusEntered(Id::Snils);
    EXPECT_EQ(port.controls[Id::Snils].selection.end, 5);
}

} // namespace
} // namespace kvitok::testing
