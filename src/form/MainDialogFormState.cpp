// The form kept in the user's profile between runs.
#include "MainDialog.h"
#include "text/Format.h"
#include "text/NumberText.h"

#include <variant>

namespace kvitok {

namespace {

std::string DateText(const CalendarDate& date) {
    return FormatText("%02d|%02d|%04d", date.day, date.month, date.year);
}

// "dd|mm|yyyy" read by character positions; anything else gives an invalid date.
CalendarDate DateFromText(const std::string& text) {
    const auto part = [&text](std::size_t at, std::size_t length) {
        return at < text.size() ? AtoI(text.substr(at, length)) : 0;
    };
    return CalendarDate {part(6, 4), part(3, 2), part(0, 2), 0, 0, 0};
}

} // namespace

Result<> MainDialog::SaveFormState() {
    ReadControls();
    // One write for all the keys, so that an interruption never leaves half an old form. A
    // list keeps its row; every other control the field of the form it shows.
    std::vector<Profile::Entry> entries;
    for (const FormControl& control : MainDialogTemplate().controls) {
        if (control.profileKey == nullptr) {
            continue;
        }
        std::string value;
        if (control.kind == ControlKind::DropDownList) {
            value = IntToText(List(control.id).Selected());
        } else if (const auto* text = std::get_if<TextField>(&control.field)) {
            value = m_form.**text;
        } else if (const auto* date = std::get_if<DateField>(&control.field)) {
            value = DateText(m_form.**date);
        }
        entries.push_back({control.profileKey, value});
    }
    return m_services.profile.Write(entries);
}

// The order matters: each list is rebuilt from the ones before it, and the texts restored at
// the end are shown as stored, without a recalculation or a mask run.
void MainDialog::LoadFormState() {
    const auto stored = [this](const FormControl& control) {
        return m_services.profile.Read(control.profileKey, control.profileDefault);
    };
    const auto storedRow = [&stored](int id) {
        return AtoI(stored(FormRow(id)));
    };

    List(ControlId::Status).Select(storedRow(ControlId::Status));
    WriteControls();
    OnSelchangeStatus();

    List(ControlId::Year).Select(storedRow(ControlId::Year));
    OnSelchangeYear();

    m_form.periodFrom = DateFromText(stored(FormRow(ControlId::PeriodFrom)));
    WriteControls();
    m_form.periodTo = DateFromText(stored(FormRow(ControlId::PeriodTo)));
    WriteControls();

    List(ControlId::TaxPeriod).Select(storedRow(ControlId::TaxPeriod));
    WriteControls();

    List(ControlId::Kbk).Select(storedRow(ControlId::Kbk));
    WriteControls();
    OnSelchangeKbk();

    List(ControlId::Oktmo).Select(storedRow(ControlId::Oktmo));
    // Every text as stored: the payer, the address, the numbers, the sums and the file.
    for (const FormControl& control : MainDialogTemplate().controls) {
        if (const auto* text = std::get_if<TextField>(&control.field);
            text != nullptr && control.profileKey != nullptr && control.kind != ControlKind::DropDownList) {
            m_form.** text = stored(control);
        }
    }
    WriteControls();
}

} // namespace kvitok
