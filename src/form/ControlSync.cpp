#include "ControlSync.h"

#include "InputRules.h"
#include "PayerSearch.h"
#include "text/Utf16.h"

namespace kvitok {

ControlSync::ControlSync(MainDialog& dialog, ControlPort& port)
    : m_dialog(dialog), m_port(port), m_view(MainDialogTemplate(), dialog.Controls(), port),
      m_runner(
          dialog,
          [this](int actingId) {
              return TakeTexts(actingId);
          },
          [this] {
              m_view.Refresh();
          }) {
    m_idle.Add([this] {
        return m_dialog.ReadAhead();
    });
    m_idle.Add([this] {
        return m_view.SendRowsAhead();
    });
}

void ControlSync::Start() {
    // The first refresh, after the initialisation, shows everything: the form is not on screen
    // before it (a box the initialisation shows refreshes first).
    m_runner.Initialise([this] {
        m_dialog.OnInitDialog();
    });
}

const FormControl* ControlSync::Reported(int id, bool (*ofKind)(ControlKind)) const {
    if (Busy()) {
        return nullptr;
    }
    const FormControl* control = FindFormRow(id);
    return control != nullptr && ofKind(control->kind) ? control : nullptr;
}

bool ControlSync::TakeText(const FormControl& control) {
    const int id = control.id;
    const bool editable = control.kind == ControlKind::EditableDropDown;
    DialogControls& c = m_dialog.Controls();
    const std::string held = editable ? c.List(id).EditText() : c.Edit(id).text;
    const std::u16string typed = m_port.Text(id);
    const InputVerdict verdict =
        JudgeInput(RuleOf(control, editable ? 0 : c.Edit(id).limit), Cp1251ToUtf16(held), typed);
    const bool rewritten = verdict.text != typed;
    if (rewritten) {
        m_view.Put(id, verdict.text, verdict.caret);
    }
    if (!verdict.taken) {
        m_port.TellRefused(id, RefusalTitle(), verdict.refusal);
    }
    const std::string text = Utf16ToCp1251(verdict.text).value_or(held);
    if (editable) {
        c.List(id).SetEditText(text);
        m_view.ShowsText(id, verdict.text);
        return verdict.taken;
    }
    EditModel& edit = c.Edit(id);
    const ControlPort::Selection selection =
        rewritten ? ControlPort::Selection {verdict.caret, verdict.caret} : m_port.GetSelection(id);
    edit.text = text;
    edit.selectionStart = selection.start;
    edit.selectionEnd = selection.end;
    m_view.Shows(id, edit);
    return verdict.taken;
}

bool ControlSync::TakeTexts(int actingId) {
    for (const FormControl& control : MainDialogTemplate().controls) {
        if (control.id < 0 || control.id == actingId || !HoldsText(control.kind) ||
            m_port.Text(control.id) == m_view.ShownText(control.id)) {
            continue;
        }
        if (!TakeText(control)) {
            return false;
        }
        // A change nobody reported is handled as a reported one would have been.
        if (IsEdit(control.kind) && HasAction(control)) {
            m_dialog.Act(control);
        }
    }
    return true;
}

void ControlSync::TextChanged(int id) {
    const FormControl* control = Reported(id, HoldsText);
    if (control == nullptr || !TakeText(*control)) {
        return;
    }
    if (control->kind == ControlKind::EditableDropDown) {
        Suggest(*control);
    } else if (HasAction(*control)) {
        m_runner.Run(*control);
    }
}

void ControlSync::Suggest(const FormControl& list) {
    const ListModel& model = m_dialog.Controls().List(list.id);
    std::vector<int>& rows = m_suggested[list.id];
    rows = FindPayers(model.Rows(), model.EditText(), static_cast<std::size_t>(OpenListRows(list)));
    std::vector<std::u16string> texts;
    for (const int row : rows) {
        texts.push_back(Cp1251ToUtf16(model.RowText(row)));
    }
    m_port.ShowSuggestions(list.id, texts);
}

void ControlSync::SuggestionTaken(int id, int index) {
    const FormControl* control = Reported(id, IsList);
    const auto suggested = m_suggested.find(id);
    if (control == nullptr || suggested == m_suggested.end() || index < 0 ||
        index >= static_cast<int>(suggested->second.size())) {
        return;
    }
    const int row = suggested->second[static_cast<std::size_t>(index)];
    m_port.ShowSuggestions(id, {});
    suggested->second.clear();
    Pick(*control, row);
}

void ControlSync::RowPicked(int id) {
    const FormControl* control = Reported(id, IsList);
    if (control == nullptr) {
        return;
    }
    const int row = m_port.CurrentRow(id);
    if (row == m_dialog.Controls().List(id).Selected() && control->kind != ControlKind::EditableDropDown) {
        return;
    }
    if (const auto suggested = m_suggested.find(id);
        suggested != m_suggested.end() && !suggested->second.empty()) {
        m_port.ShowSuggestions(id, {});
        suggested->second.clear();
    }
    Pick(*control, row);
}

void ControlSync::ListClosed(int id) {
    const FormControl* control = Reported(id, IsList);
    if (control != nullptr && m_port.CurrentRow(id) >= 0 &&
        m_port.CurrentRow(id) != m_dialog.Controls().List(id).Selected()) {
        RowPicked(id);
    }
}

void ControlSync::Pick(const FormControl& list, int row) {
    ListModel& model = m_dialog.Controls().List(list.id);
    m_runner.Picking(list.id, model.EditText());
    model.Select(row);
    m_view.ShowsRow(list.id, model.Selected());
    if (HasAction(list)) {
        m_runner.Run(list);
    }
}

void ControlSync::DateChanged(int id) {
    if (Reported(id, IsDatePicker) == nullptr) {
        return;
    }
    // The picker shows a date; the time of day the model carries stays.
    if (const std::optional<CalendarDate> date = m_port.Date(id)) {
        CalendarDate& held = m_dialog.Controls().Date(id).date;
        held.year = date->year;
        held.month = date->month;
        held.day = date->day;
        m_view.ShowsDate(id, held);
    }
}

void ControlSync::CalendarClosed(int id) {
    const FormControl* control = Reported(id, IsDatePicker);
    if (control == nullptr) {
        return;
    }
    DateChanged(id);
    if (HasAction(*control)) {
        m_runner.Run(*control);
    }
}

void ControlSync::FocusEntered(int id) {
    const FormControl* control = Reported(id, IsEdit);
    if (control != nullptr && control->onFocus != nullptr && TakeText(*control)) {
        m_runner.Run(*control, control->onFocus);
    }
}

void ControlSync::Clicked(int id) {
    const FormControl* control = Reported(id, IsButton);
    // Enter reaches "Создать" wherever the focus is; a switched-off button does nothing.
    if (control != nullptr && m_dialog.Controls().Button(id).enabled && HasAction(*control)) {
        m_runner.Run(*control);
    }
}

bool ControlSync::Cancel() {
    if (Busy()) {
        return false;
    }
    return m_runner.Close([this] {
        return m_dialog.OnCancel();
    });
}

} // namespace kvitok
