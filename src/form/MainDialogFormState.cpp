// The form kept in the user's profile between runs.
#include "MainDialog.h"
#include "text/Format.h"
#include "text/NumberText.h"

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
    const Handling handling(*this);
    if (!ReadControls()) {
        return {};
    }
    const DialogControls& c = m_controls;
    // One write for all the keys, so that an interruption never leaves half an old form.
    return m_services.profile.Write({
        {"kvt_insurer", m_form.payerName},
        {"kvt_addr", m_form.address},
        {"kvt_stat", IntToText(c.status.Selected())},
        {"kvt_kbk", IntToText(c.kbk.Selected())},
        {"kvt_inn", m_form.inn},
        {"kvt_regnum", m_form.regNumber},
        {"kvt_snils", m_form.snils},
        {"kvt_bornyear", m_form.birthYear},
        {"kvt_per", IntToText(c.taxPeriod.Selected())},
        {"kvt_year", IntToText(c.year.Selected())},
        {"kvt_oktmo", IntToText(c.oktmo.Selected())},
        {"kvt_rub", m_form.sumRub},
        {"kvt_kop", m_form.sumKop},
        {"kvt_revrub", m_form.incomeRub},
        {"kvt_revkop", m_form.incomeKop},
        {"kvt_filename", m_form.fileName},
        {"kvt_fromDate", DateText(m_form.periodFrom)},
        {"kvt_toDate", DateText(m_form.periodTo)},
    });
}

// The order matters: each list is rebuilt from the ones before it, and the texts restored at
// the end are shown as stored, without a recalculation or a mask run.
void MainDialog::LoadFormState() {
    const Handling handling(*this);
    Profile& profile = m_services.profile;
    const auto row = [&profile](const char* key, const char* fallback) {
        return AtoI(profile.Read(key, fallback));
    };

    m_form.payerName = profile.Read("kvt_insurer", "");
    m_form.address = profile.Read("kvt_addr", "");

    m_controls.status.Select(row("kvt_stat", "0"));
    WriteControls();
    OnSelchangeStatus();

    m_controls.year.Select(row("kvt_year", "0"));
    OnSelchangeYear();

    m_form.periodFrom = DateFromText(profile.Read("kvt_fromDate", ""));
    WriteControls();
    m_form.periodTo = DateFromText(profile.Read("kvt_toDate", ""));
    WriteControls();

    m_controls.taxPeriod.Select(row("kvt_per", "0"));
    WriteControls();

    m_controls.kbk.Select(row("kvt_kbk", "0"));
    WriteControls();
    OnSelchangeKbk();

    m_form.inn = profile.Read("kvt_inn", "");
    m_form.regNumber = profile.Read("kvt_regnum", "");
    m_form.snils = profile.Read("kvt_snils", "");
    m_form.birthYear = profile.Read("kvt_bornyear", "");

    m_controls.oktmo.Select(row("kvt_oktmo", ""));

    m_form.incomeRub = profile.Read("kvt_revrub", "0");
    m_form.incomeKop = profile.Read("kvt_revkop", "00");
    m_form.sumRub = profile.Read("kvt_rub", "0");
    m_form.sumKop = profile.Read("kvt_kop", "00");
    m_form.fileName = profile.Read("kvt_filename", "kvt.html");
    WriteControls();
}

} // namespace kvitok
