// Masked fields, the form's validation and the triggers that recompute the contribution.
#include "InputMasks.h"
#include "MainDialog.h"
#include "calc/SumInputs.h"
#include "text/Cp1251Literal.h"
#include "text/NumberText.h"

#include <algorithm>
#include <tuple>

namespace kvitok {

namespace {

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
}

bool IsBirthYear(const std::string& text) {
    return text.size() == 4 && AtoI(text) >= 1900;
}

// Only the date part counts: the pickers also carry a time of day that the user never sees.
bool DateAfter(const CalendarDate& a, const CalendarDate& b) {
    const auto key = [](const CalendarDate& d) {
        return std::tuple(d.year, d.month, d.day);
    };
    return key(a) > key(b);
}

} // namespace

void MainDialog::ApplyFieldMask(EditModel& edit, std::string& value, std::string_view mask) {
    const Handling handling(*this);
    m_maskPrevLength = static_cast<int>(value.size());
    if (!ReadControls()) {
        return;
    }
    ApplyMask(edit, m_maskPrevLength, mask, kMaskPlaceholder, m_maskDelta);
    value = edit.text;
    WriteControls();
}

void MainDialog::OnChangeRegNumber() {
    ApplyFieldMask(m_controls.regNumber, m_form.regNumber, kRegNumberMask);
}

void MainDialog::OnChangeSnils() {
    ApplyFieldMask(m_controls.snils, m_form.snils, kSnilsMask);
}

void MainDialog::PutCaretHomeIfBare(EditModel& edit, const std::string& value, std::string_view mask) {
    if (value == mask) {
        edit.selectionStart = 0;
        edit.selectionEnd = 0;
    }
}

void MainDialog::OnSetfocusRegNumber() {
    const Handling handling(*this);
    if (!ReadControls()) {
        return;
    }
    PutCaretHomeIfBare(m_controls.regNumber, m_form.regNumber, kRegNumberMask);
}

void MainDialog::OnSetfocusSnils() {
    const Handling handling(*this);
    if (!ReadControls()) {
        return;
    }
    PutCaretHomeIfBare(m_controls.snils, m_form.snils, kSnilsMask);
}

std::string MainDialog::ValidateForm() {
    const Handling handling(*this);
    ReadControls();
    const DialogControls& c = m_controls;
    const PaymentForm& f = m_form;
    std::string labels;
    const auto complain = [&labels](bool fault, std::string_view label) {
        if (fault) {
            labels += label;
        }
    };
    // Texts that go into the payment line the bank reads from the QR code: a "|" would split
    // their field, and a control character (a zero byte above all) could cut the line short,
    // so that the code would pay something else than the page says.
    const auto unfit = [](const std::string& text) {
        return std::any_of(text.begin(), text.end(), [](char c) {
            return c == '|' || static_cast<unsigned char>(c) < 0x20;
        });
    };

    complain(f.payerName.empty() || unfit(f.payerName), "Плательщик, "_cp);
    complain(f.address.empty() || unfit(f.address), "Адрес, "_cp);
    complain(c.snils.enabled &&
                 (!(IsMaskComplete(f.snils, kSnilsMask, kMaskPlaceholder) && IsValidSnils(f.snils)) ||
                  unfit(f.snils)),
             "СНИЛС, "_cp);
    complain(c.birthYear.enabled && !IsBirthYear(f.birthYear), "Год рождения, "_cp);
    complain((c.year.Enabled() && c.year.Selected() == 0) ||
                 (c.taxPeriod.Enabled() && c.taxPeriod.Selected() == 0),
             "Налоговый период, "_cp);
    complain(c.oktmo.Enabled() && c.oktmo.Selected() < 1 && c.oktmo.Count() > 1, "ОКТМО, "_cp);
    complain(c.inn.enabled && !IsValidInn(f.inn), "ИНН, "_cp); // digits only
    complain(c.status.Enabled() && c.status.Selected() == 0, "Статус, "_cp);
    complain(c.regNumber.enabled &&
                 (!IsMaskComplete(f.regNumber, kRegNumberMask, kMaskPlaceholder) || unfit(f.regNumber)),
             "Рег.номер, "_cp);
    // The sum is printed as it stands and read as a number for the payment line: only digits
    // may stand there, or the page and the bank would disagree.
    complain(c.sumRub.enabled && !AllDigits(f.sumRub), "руб, "_cp);
    complain(c.sumKop.enabled && !(f.sumKop.size() == 2 && AllDigits(f.sumKop)), "коп, "_cp);
    complain(c.fileName.enabled && f.fileName.empty(), "Файл, "_cp);

    std::string message;
    if (!labels.empty()) {
        labels.resize(labels.size() - 2);
        message = std::string("Следующие поля не заполнены или заполнены некорректно: "_cp) + labels + ".\n";
    }
    if (DateAfter(f.periodFrom, f.periodTo)) {
        message += "Начальная дата периода уплаты больше конечной.\n"_cp;
    }
    if (c.year.Selected() > 0) {
        const int year = AtoI(c.year.SelectedText());
        if (year != f.periodFrom.year) {
            message += "Некорректная начальная дата периода уплаты.\n"_cp;
        }
        if (year != f.periodTo.year) {
            message += "Некорректная конечная дата периода уплаты.\n"_cp;
        }
    }
    if (static_cast<long long>(AtoI(f.sumRub)) * 100 + AtoI(f.sumKop) <= 0) {
        message += "Некорректная сумма.\n"_cp;
    }
    return message;
}

double MainDialog::RecalculateSum(int kbkNumber) {
    const Handling handling(*this);
    if (!ReadControls()) {
        return 0.0;
    }
    const int year = AtoI(m_controls.year.SelectedText());
    const double income = IncomeFromTexts(m_form.incomeRub, m_form.incomeKop);
    const int selector = kbkNumber == 0 ? KbkRowToSelector(m_controls.kbk.Selected()) : kbkNumber;
    const SumResult result =
        RecalculatedSum(selector, AtoI(m_form.birthYear), year, m_form.periodFrom, m_form.periodTo, income);
    if (kbkNumber == 0) {
        m_form.sumRub = result.texts.rubles;
        m_form.sumKop = result.texts.kopecks;
    } else {
        m_groupAmountRub = result.texts.rubles;
        m_groupAmountKop = result.texts.kopecks;
    }
    WriteControls();
    return result.amount;
}

void MainDialog::OnChangeBirthYear() {
    const Handling handling(*this);
    if (ReadControls() && IsBirthYear(m_form.birthYear)) {
        RecalculateSum(0);
    }
}

void MainDialog::OnChangeIncome() {
    const Handling handling(*this);
    if (ReadControls()) {
        RecalculateSum(0);
    }
}

void MainDialog::CheckPeriodDate(const CalendarDate& date) {
    const Handling handling(*this);
    if (!ReadControls()) {
        return;
    }
    const int year = AtoI(m_controls.year.SelectedText());
    if (year != date.year) {
        m_form.sumRub = "0";
        m_form.sumKop = "00";
        WriteControls();
        Message("Некорректная дата!"_cp);
    } else {
        RecalculateSum(0);
    }
}

void MainDialog::OnCloseupPeriodFrom() {
    CheckPeriodDate(m_controls.periodFrom.date);
}

void MainDialog::OnCloseupPeriodTo() {
    CheckPeriodDate(m_controls.periodTo.date);
}

} // namespace kvitok
