// Field switching: which controls the status, the KBK and the year leave usable, and the
// period-mark, KBK and OKTMO lists that follow from them.
#include "MainDialog.h"

#include "refdata/BudgetCodes.h"
#include "text/Format.h"
#include "text/NumberText.h"

namespace kvitok {

namespace {

bool Contains(const std::string& list, std::string_view key) {
    return list.find(key) != std::string::npos;
}

// The text after `key` up to the next comma; empty when no comma follows.
std::string SuffixAfter(const std::string& list, std::string_view key) {
    const std::size_t start = list.find(key) + key.size();
    const std::size_t comma = list.find(',', start);
    return comma == std::string::npos ? std::string() : list.substr(start, comma - start);
}

} // namespace

std::string MainDialog::MunicipalityRow(int n) const {
    return m_dictionary.Lookup(FormatText("OKTMO_NUM_%d", n)) + " - " +
           m_dictionary.Lookup(FormatText("OKTMO_NAME_%d", n));
}

// The empty row and every municipality, with the row the user chose last selected again.
void MainDialog::AddAllMunicipalities() {
    ListModel& oktmo = List(ControlId::Oktmo);
    oktmo.AddRow("");
    const std::size_t count = CountedRun("OKTMO_NUM_").size();
    for (std::size_t n = 1; n <= count; ++n) {
        oktmo.AddRow(MunicipalityRow(static_cast<int>(n)));
    }
    oktmo.Select(m_rememberedOktmoRow);
}

void MainDialog::OnSelchangeStatus() {
    ReadControls();
    const int statusRow = List(ControlId::Status).Selected();
    const std::string statusSwitch = m_dictionary.Lookup(FormatText("STATUS_SW_%d", statusRow));

    ListModel& marks = List(ControlId::TaxPeriod);
    marks.Clear();
    marks.AddRow("");
    if (Contains(statusSwitch, "MARKPER_")) {
        marks.AddRow(m_dictionary.Lookup("PER_" + SuffixAfter(statusSwitch, "MARKPER_")));
        marks.Select(1);
    } else if (Contains(statusSwitch, "MARKPER")) {
        for (const std::string& mark : CountedRun("PER_")) {
            marks.AddRow(mark);
        }
        marks.Select(0);
    }

    // A one-code list always selects its code; otherwise the same row number as before is
    // offered again, so the row is not remembered from a one-code list.
    ListModel& kbks = List(ControlId::Kbk);
    if (kbks.Count() != 2) {
        m_rememberedKbkRow = kbks.Selected();
    }
    kbks.Clear();
    m_kbkNumbers.clear();
    kbks.AddRow("");
    for (const OfferedKbk& offered : OfferedKbks(m_dictionary, statusRow, m_kbkPostfix)) {
        m_kbkNumbers.push_back(offered.number);
        kbks.AddRow(offered.rowText);
    }
    kbks.Select(kbks.Count() == 2 ? 1 : m_rememberedKbkRow);

    m_form.sumRub = "0";
    m_form.sumKop = "00";
    WriteControls(); // the sum must reach its fields before the KBK handler reads them
    OnSelchangeKbk();
}

void MainDialog::OnSelchangeYear() {
    ReadControls();
    m_yearText = List(ControlId::Year).SelectedText();
    // The empty row gives no valid date, and the pickers keep what they show.
    const int year = AtoI(m_yearText);
    m_form.periodFrom = CalendarDate {year, 1, 1, 0, 0, 0};
    m_form.periodTo = CalendarDate {year, 12, 31, 0, 0, 0};
    WriteControls(); // the new period must reach the pickers before the status handler reads them
    m_kbkPostfix = KbkPostfixForYear(m_dictionary, m_yearText);
    // The status handling rebuilds the KBK list for the year's postfix and runs the KBK handling
    // itself; running that once more would change nothing.
    OnSelchangeStatus();
}

void MainDialog::OnSelchangeKbk() {
    ReadControls();
    ListModel& oktmo = List(ControlId::Oktmo);
    if (oktmo.Selected() != 0) {
        m_rememberedOktmoRow = oktmo.Selected();
    }
    oktmo.Clear();
    AddAllMunicipalities();

    const int kbkNumber = KbkNumberForRow(m_kbkNumbers, List(ControlId::Kbk).Selected());
    const int yearRow = List(ControlId::Year).Selected();
    ApplySwitchLists(m_dictionary.Lookup(FormatText("KBK_SW_%d", kbkNumber)),
                     m_dictionary.Lookup(FormatText("YEAR_SW_%d", yearRow > 0 ? yearRow : 0)));
}

void MainDialog::ApplySwitchLists(const std::string& kbkList, const std::string& yearList) {
    // The OKTMO list was just rebuilt: the form takes its row's text, which the write at the end
    // selects again in the list as rebuilt here.
    ReadControls();
    ListModel& oktmo = List(ControlId::Oktmo);
    if (oktmo.Selected() != 0) {
        m_rememberedOktmoRow = oktmo.Selected();
    }
    oktmo.Clear();

    const auto inBoth = [&](std::string_view key) {
        return Contains(kbkList, key) && Contains(yearList, key);
    };
    m_printStatus = Contains(kbkList, "PRINTSTAT");

    if (Contains(kbkList, "OKTMO_") && Contains(yearList, "OKTMO")) {
        oktmo.AddRow(MunicipalityRow(AtoI(SuffixAfter(kbkList, "OKTMO_"))));
        oktmo.Select(0);
    } else if (inBoth("OKTMO")) {
        AddAllMunicipalities();
    }

    if (inBoth("CALCSUM")) {
        RecalculateSum(0);
    } else {
        m_form.sumRub = "0";
        m_form.sumKop = "00";
    }

    for (const FormControl& control : MainDialogTemplate().controls) {
        if (control.switchKey != nullptr) {
            m_controls.SetEnabled(control.id, inBoth(control.switchKey));
        }
    }
    WriteControls();
}

} // namespace kvitok
