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
using EditField = EditModel DialogControls::*;

std::string Head() {
    return std::string("Следующие поля не заполнены или заполнены некорректно: "_cp);
}

TEST_F(Validation, EmptyFormNamesItsFieldsAndTheSum) {
    EXPECT_EQ(dialog->ValidateForm(), Head() + std::string("Плательщик, Адрес, Налоговый период, Статус"_cp) +
                                          ".\n" + std::string("Некорректная сумма.\n"_cp));
}

TEST_F(Validation, FilledFormPasses) {
    FillValidForm();
    EXPECT_EQ(C().sumRub.text, "19356");
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
            (c.*field).text = text;
        };
    };
    // The birth year is asked for only up to 2013.
    const auto birthYearIn2013 = [](std::string text) {
        return [text](DialogTest& t, DialogControls& c) {
            t.SelectYear(kRow2013);
            t.SelectKbkNumber(2);
            c.birthYear.text = text;
        };
    };
    const Case cases[] = {
        {"no payer",
         [](DialogTest&, DialogControls& c) {
             c.payer.SetEditText("");
         },
         "Плательщик"_cp},
        {"bar in payer",
         [](DialogTest&, DialogControls& c) {
             c.payer.SetEditText("Ivanov|Sum=1");
         },
         "Плательщик"_cp},
        {"bar in address", type(&DialogControls::address, "Olmgrad|1"), "Адрес"_cp},
        // Control characters (from a hand-edited profile) could cut the payment line.
        {"nul in payer",
         [](DialogTest&, DialogControls& c) {
             c.payer.SetEditText(std::string("Ivanov\0Ivan", 11));
         },
         "Плательщик"_cp},
        {"tab in address", type(&DialogControls::address, "Olmgrad,\t1"), "Адрес"_cp},
        {"line feed in address", type(&DialogControls::address, "Olmgrad\n1"), "Адрес"_cp},
        {"unit separator in snils", type(&DialogControls::snils, "112-233-445 95\x1f"), "СНИЛС"_cp},
        {"escape in reg number", type(&DialogControls::regNumber, "123-456-789012\x1b"), "Рег.номер"_cp},
        {"snils check number", type(&DialogControls::snils, "112-233-445 96"), "СНИЛС"_cp},
        {"snils incomplete", type(&DialogControls::snils, "112-233-445 9_"), "СНИЛС"_cp},
        {"birth year too early", birthYearIn2013("1899"), "Год рождения"_cp},
        {"birth year short", birthYearIn2013("970"), "Год рождения"_cp},
        {"no oktmo",
         [](DialogTest&, DialogControls& c) {
             c.oktmo.Select(0);
         },
         "ОКТМО"_cp},
        {"inn of 11", type(&DialogControls::inn, "50010073225"), "ИНН"_cp},
        {"inn first check", type(&DialogControls::inn, "500100732239"), "ИНН"_cp},
        {"inn letters", type(&DialogControls::inn, "77O7083893"), "ИНН"_cp},
        {"reg number incomplete", type(&DialogControls::regNumber, "123-456-78901_"), "Рег.номер"_cp},
        {"rub not a number", type(&DialogControls::sumRub, "12abc"), "руб"_cp},
        {"rub empty", type(&DialogControls::sumRub, ""), "руб"_cp},
        {"kop one digit", type(&DialogControls::sumKop, "5"), "коп"_cp},
        {"kop not digits", type(&DialogControls::sumKop, "4x"), "коп"_cp},
        {"no file", type(&DialogControls::fileName, ""), "Файл"_cp},
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
             Type(C().birthYear, "1980");
             dialog->OnChangeBirthYear();
         }},
        {"income",
         [&] {
             Type(C().incomeRub, "500000");
             dialog->OnChangeIncome();
         }},
        {"period end",
         [&] {
             dialog->OnCloseupPeriodTo();
         }},
        {"reg. number typed",
         [&] {
             dialog->OnChangeRegNumber();
         }},
        {"snils focused",
         [&] {
             dialog->OnSetfocusSnils();
         }},
        {"create",
         [&] {
             dialog->OnCreate();
         }},
        {"browse",
         [&] {
             platform.saveDialog.answer = "/home/u/chosen.html";
             dialog->OnBrowse();
         }},
        {"close",
         [&] {
             EXPECT_FALSE(dialog->OnCancel());
         },
         2}, // the question, then the complaint
    };
    // What the handlers built: the rows of the lists picked in and of the lists and fields they switch.
    const auto built = [this] {
        return std::tuple(C().status.Selected(), C().year.Selected(), C().kbk.Selected(), C().kbk.Rows(),
                          C().oktmo.Rows(), C().birthYear.enabled, C().incomeRub.enabled);
    };
    const auto before = built();
    for (const Action& action : actions) {
        Type(C().inn, overlong);
        Type(C().regNumber, "999-888-77766");
        Type(C().fileName, "typed.html");
        Type(C().sumRub, "1234");
        platform.messages.shown.clear();
        action.run();
        ASSERT_EQ(platform.messages.shown.size(), action.messages) << action.what;
        EXPECT_EQ(platform.messages.shown.back().text, "Введите не более 12 символов."_cp) << action.what;
        EXPECT_EQ(C().inn.text, overlong) << action.what;
        EXPECT_EQ(C().regNumber.text, "999-888-77766") << action.what;
        EXPECT_EQ(C().fileName.text, "typed.html") << action.what;
        EXPECT_EQ(C().sumRub.text, "1234") << action.what;
        EXPECT_EQ(built(), before) << action.what;
    }
    EXPECT_EQ(platform.profile.writeCount, 0);
    EXPECT_TRUE(platform.shell.opened.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.File("kvt.html")));

    // Once the INN is mended the same actions work again.
    Type(C().inn, "500100732259");
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
    ASSERT_FALSE(C().inn.enabled);
    EXPECT_TRUE(dialog->OnCancel());
    ASSERT_EQ(platform.messages.shown.size(), 1u); // the question only
    EXPECT_EQ(platform.profile.values["kvt_inn"], "5001007322590");
    EXPECT_EQ(platform.profile.values["kvt_stat"], "3");
}

TEST_F(Validation, ValidInnsOfBothLengthsPass) {
    FillValidForm();
    for (const char* inn : {"7707083893", "500100732259"}) {
        Type(C().inn, inn);
        EXPECT_EQ(dialog->ValidateForm(), "") << inn;
    }
}

TEST_F(Validation, DateSentences) {
    FillValidForm();
    C().periodFrom.date = CalendarDate {2016, 6, 1, 0, 0, 0};
    C().periodTo.date = CalendarDate {2016, 5, 31, 0, 0, 0};
    EXPECT_EQ(dialog->ValidateForm(), "Начальная дата периода уплаты больше конечной.\n"_cp);

    C().periodFrom.date = CalendarDate {2015, 1, 1, 0, 0, 0};
    C().periodTo.date = CalendarDate {2015, 12, 31, 0, 0, 0};
    EXPECT_EQ(dialog->ValidateForm(), std::string("Некорректная начальная дата периода уплаты.\n"_cp) +
                                          std::string("Некорректная конечная дата периода уплаты.\n"_cp));
}

TEST_F(Validation, AmountOfOneKopeckIsEnough) {
    FillValidForm();
    Type(C().sumRub, "0");
    Type(C().sumKop, "01");
    EXPECT_EQ(dialog->ValidateForm(), "");
    Type(C().sumKop, "00");
    EXPECT_EQ(dialog->ValidateForm(), "Некорректная сумма.\n"_cp);
}

TEST_F(Validation, OverlongInnIsRefusedAndNothingIsCreated) {
    FillValidForm();
    const int writesBefore = platform.profile.writeCount;
    Type(C().inn, "5001007322590");
    dialog->OnCreate();
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "Введите не более 12 символов."_cp);
    EXPECT_EQ(platform.profile.writeCount, writesBefore);
    EXPECT_TRUE(platform.shell.opened.empty());
    EXPECT_EQ(C().inn.limit, 12u);
    EXPECT_EQ(C().birthYear.limit, 4u);
}

} // namespace
} // namespace kvitok::testing

namespace kvitok::testing {
namespace {

using MaskedFields = DialogTest;

// What the edit holds after one keystroke at the caret: an insertion, or a backspace ("\b").
void Keystroke(EditModel& edit, const std::string& typed) {
    const auto caret = static_cast<std::size_t>(edit.selectionEnd);
    if (typed == "\b") {
        edit.text.erase(caret - 1, 1);
        edit.selectionStart = edit.selectionEnd = static_cast<int>(caret - 1);
        return;
    }
    edit.text.insert(caret, typed);
    edit.selectionStart = edit.selectionEnd = static_cast<int>(caret + typed.size());
}

TEST_F(MaskedFields, TypingPastingAndDeletingKeepTheMask) {
    struct Step {
        EditField field;
        std::string typed;
        std::string shown;
        int caret;
        int caretBefore = -1; // where the user put the caret first; -1 leaves it
    };
    const Step steps[] = {
        {&DialogControls::regNumber, "1", "1__-___-______", 1},
        {&DialogControls::regNumber, "2", "12_-___-______", 2},
        {&DialogControls::regNumber, "3", "123-___-______", 3},
        {&DialogControls::regNumber, "4", "123-4__-______", 5},
        {&DialogControls::regNumber, "\b", "123-4__-______", 3, 4}, // over the literal: it comes back
        {&DialogControls::snils, "12 3-45/6 78-9 0 1 2 3", "123-456-789 01", 14},
    };
    for (const Step& step : steps) {
        EditModel& edit = C().*step.field;
        if (step.caretBefore >= 0) {
            edit.selectionStart = edit.selectionEnd = step.caretBefore;
        }
        Keystroke(edit, step.typed);
        if (step.field == &DialogControls::regNumber) {
            dialog->OnChangeRegNumber();
        } else {
            dialog->OnChangeSnils();
        }
        EXPECT_EQ(edit.text, step.shown) << step.typed;
        EXPECT_EQ(edit.selectionEnd, step.caret) << step.typed;
    }
    EXPECT_EQ(dialog->Form().snils, "123-456-789 01");
}

TEST_F(MaskedFields, FocusOnABareMaskPutsTheCaretFirst) {
    dialog->OnChangeRegNumber(); // the bare mask
    C().regNumber.selectionStart = C().regNumber.selectionEnd = 7;
    dialog->OnSetfocusRegNumber();
    EXPECT_EQ(C().regNumber.selectionEnd, 0);

    Type(C().snils, "1__-___-___ __");
    dialog->OnSetfocusSnils();
    EXPECT_EQ(C().snils.selectionEnd, 14);
}

} // namespace
} // namespace kvitok::testing
