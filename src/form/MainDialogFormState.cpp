// The form kept in the user's profile between runs.
#include "MainDialog.h"
#include "text/Format.h"
#include "text/NumberText.h"

#include <algorithm>
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

// One of the orders a row's profile slot gives.
using SlotOrder = int ProfileSlot::*;

// The rows the profile keeps, in the order given by `place`.
std::vector<const FormControl*> KeptRows(SlotOrder place) {
    std::vector<const FormControl*> rows;
    for (const FormControl& control : MainDialogTemplate().controls) {
        if (control.profile.key != nullptr) {
            rows.push_back(&control);
        }
    }
    std::stable_sort(rows.begin(), rows.end(), [place](const FormControl* a, const FormControl* b) {
        return a->profile.*place < b->profile.*place;
    });
    return rows;
}

} // namespace

Result<> MainDialog::SaveFormState() {
    ReadControls();
    // One write for all the keys, so that an interruption never leaves half an old form. A
    // list keeps its row; every other control the field of the form it shows.
    std::vector<Profile::Entry> entries;
    for (const FormControl* control : KeptRows(&ProfileSlot::savedAs)) {
        std::string value;
        if (control->kind == ControlKind::DropDownList) {
            value = IntToText(List(control->id).Selected());
        } else if (const auto* text = std::get_if<TextField>(&control->field)) {
            value = m_form.**text;
        } else if (const auto* date = std::get_if<DateField>(&control->field)) {
            value = DateText(m_form.**date);
        }
        entries.push_back({control->profile.key, value});
    }
    return m_services.profile.Write(entries);
}

// Each list is rebuilt from the ones before it, as its handler runs; the texts restored last are
// shown as stored, without a recalculation or a mask run.
void MainDialog::LoadFormState() {
    for (const FormControl* control : KeptRows(&ProfileSlot::restoredAt)) {
        const std::string stored = m_services.profile.Read(control->profile.key, control->profile.byDefault);
        if (control->kind == ControlKind::DropDownList) {
            List(control->id).Select(AtoI(stored));
            WriteControls();
            Act(*control);
        } else if (const auto* date = std::get_if<DateField>(&control->field)) {
            m_form.** date = DateFromText(stored);
            WriteControls();
        } else if (const auto* text = std::get_if<TextField>(&control->field)) {
            m_form.** text = stored;
        }
    }
    WriteControls();
}

} // namespace kvitok
