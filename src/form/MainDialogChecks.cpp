// Masked fields, the form's validation and the triggers that recompute the contribution.
#include "InputMasks.h"
#include "MainDialog.h"
#include "calc/SumInputs.h"
#include "receipt/PaymentLineText.h"
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

void MainDialog::ApplyFieldMask(int id, std::string& value, std::string_view mask) {
    // Before the read the form still holds the field as it was before the keystroke.
    m_maskPrevLength = static_cast<int>(value.size());
    ReadControls();
    ApplyMask(Edit(id), m_maskPrevLength, mask, kMaskPlaceholder, m_maskDelta);
    value = Edit(id).text;
}

void MainDialog::OnChangeRegNumber() {
    ApplyFieldMask(ControlId::RegNumber, m_form.regNumber, kRegNumberMask);
}

void MainDialog::OnChangeSnils() {
    ApplyFieldMask(ControlId::Snils, m_form.snils, kSnilsMask);
}

void MainDialog::PutCaretHomeIfBare(int id, const std::string& value, std::string_view mask) {
    ReadControls();
    if (value == mask) {
        Edit(id).selectionStart = 0;
        Edit(id).selectionEnd = 0;
    }
}

void MainDialog::OnSetfocusRegNumber() {
    PutCaretHomeIfBare(ControlId::RegNumber, m_form.regNumber, kRegNumberMask);
}

void MainDialog::OnSetfocusSnils() {
    PutCaretHomeIfBare(ControlId::Snils, m_form.snils, kSnilsMask);
}

std::string MainDialog::ValidateForm() {
    ReadControls();
    namespace Id = ControlId;
    const DialogControls& c = m_controls;
    const PaymentForm& f = m_form;
    std::string labels;
    const auto complain = [&labels](bool fault, int id) {
        if (fault) {
            labels += ComplaintLabel(FormRow(id)) + ", ";
        }
    };
    // Texts from elsewhere (a hand-edited profile, a payer file) that go into the payment line.
    const auto unfit = [](const std::string& text) {
        return !FitsPaymentLine(text);
    };

    complain(f.payerName.empty() || unfit(f.payerName), Id::Payer);
    complain(f.address.empty() || unfit(f.address), Id::Address);
    complain(c.Edit(Id::Snils).enabled &&
                 (!(IsMaskComplete(f.snils, kSnilsMask, kMaskPlaceholder) && IsValidSnils(f.snils)) ||
                  unfit(f.snils)),
             Id::Snils);
    complain(c.Edit(Id::BirthYear).enabled && !IsBirthYear(f.birthYear), Id::BirthYear);
    // The year and the period mark are one tax period.
    complain((c.List(Id::Year).Enabled() && c.List(Id::Year).Selected() == 0) ||
                 (c.List(Id::TaxPeriod).Enabled() && c.List(Id::TaxPeriod).Selected() == 0),
             Id::Year);
    complain(c.List(Id::Oktmo).Enabled() && c.List(Id::Oktmo).Selected() < 1 && c.List(Id::Oktmo).Count() > 1,
             Id::Oktmo);
    complain(c.Edit(Id::Inn).enabled && !IsValidInn(f.inn), Id::Inn); // digits only
    complain(c.List(Id::Status).Enabled() && c.List(Id::Status).Selected() == 0, Id::Status);
    complain(c.Edit(Id::RegNumber).enabled &&
                 (!IsMaskComplete(f.regNumber, kRegNumberMask, kMaskPlaceholder) || unfit(f.regNumber)),
             Id::RegNumber);
    // The sum is printed as it stands and read as a number for the payment line: only digits
    // may stand there, or the page and the bank would disagree.
    complain(c.Edit(Id::SumRub).enabled && !AllDigits(f.sumRub), Id::SumRub);
    complain(c.Edit(Id::SumKop).enabled && !(f.sumKop.size() == 2 && AllDigits(f.sumKop)), Id::SumKop);
    complain(c.Edit(Id::FileName).enabled && f.fileName.empty(), Id::FileName);

    std::string message;
    if (!labels.empty()) {
        labels.resize(labels.size() - 2);
        message = std::string("Следующие поля не заполнены или заполнены некорректно: "_cp) + labels + ".\n";
    }
    if (DateAfter(f.periodFrom, f.periodTo)) {
        message += "Начальная дата периода уплаты больше конечной.\n"_cp;
    }
    if (c.List(Id::Year).Selected() > 0) {
        const int year = AtoI(c.List(Id::Year).SelectedText());
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
    ReadControls();
    const int year = AtoI(List(ControlId::Year).SelectedText());
    const double income = IncomeFromTexts(m_form.incomeRub, m_form.incomeKop);
    const int selector = kbkNumber == 0 ? KbkRowToSelector(List(ControlId::Kbk).Selected()) : kbkNumber;
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
    ReadControls(); // RecalculateSum reads again: it is run from elsewhere too
    if (IsBirthYear(m_form.birthYear)) {
        RecalculateSum(0);
    }
}

void MainDialog::OnChangeIncome() {
    RecalculateSum(0);
}

void MainDialog::CheckPeriodDate(const CalendarDate& date) {
    ReadControls();
    const int year = AtoI(List(ControlId::Year).SelectedText());
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
    CheckPeriodDate(Date(ControlId::PeriodFrom).date);
}

void MainDialog::OnCloseupPeriodTo() {
    CheckPeriodDate(Date(ControlId::PeriodTo).date);
}

} // namespace kvitok
