#include "ViewSync.h"

#include "text/Utf16.h"

#include <algorithm>

namespace kvitok {

namespace {

// The port's update, and the flag that marks the writes as the program's, for a scope.
class WritingScope {
public:
    WritingScope(ControlPort& port, bool& flag) : m_port(port), m_flag(flag) {
        m_port.BeginUpdate();
        m_flag = true;
    }
    ~WritingScope() {
        m_flag = false;
        m_port.EndUpdate();
    }
    WritingScope(const WritingScope&) = delete;
    WritingScope& operator=(const WritingScope&) = delete;

private:
    ControlPort& m_port;
    bool& m_flag;
};

} // namespace

ViewSync::ViewSync(const DialogTemplate& dialog, const DialogControls& models, ControlPort& port)
    : m_dialog(dialog), m_models(models), m_port(port) {}

void ViewSync::Shows(int id, const EditModel& edit) {
    m_shown[id].edit = edit;
    m_shown[id].text = Cp1251ToUtf16(edit.text);
}

void ViewSync::ShowsText(int id, const std::u16string& text) {
    m_shown[id].text = text;
}

void ViewSync::ShowsRow(int id, int row) {
    m_shown[id].selected = row;
}

void ViewSync::ShowsDate(int id, const CalendarDate& date) {
    m_shown[id].date = date;
}

void ViewSync::Put(int id, const std::u16string& text, int caret) {
    const WritingScope writing(m_port, m_writing);
    m_port.SetText(id, text);
    m_port.SetSelection(id, {caret, caret});
    m_shown[id].text = text;
}

void ViewSync::Refresh() {
    if (m_writing) {
        return;
    }
    const bool force = !m_shownOnce;
    m_shownOnce = true;
    const WritingScope writing(m_port, m_writing);
    for (const FormControl& control : m_dialog.controls) {
        if (control.id < 0) {
            continue;
        }
        Shown& shown = m_shown[control.id];
        if (IsEdit(control.kind)) {
            ShowEdit(control.id, shown, force);
        } else if (IsList(control.kind)) {
            ShowList(control.id, shown, force);
        } else if (IsDatePicker(control.kind)) {
            ShowDate(control.id, shown, force);
        } else if (IsButton(control.kind)) {
            const bool enabled = m_models.Button(control.id).enabled;
            if (force || enabled != shown.enabled) {
                m_port.SetEnabled(control.id, enabled);
                shown.enabled = enabled;
            }
        }
    }
}

void ViewSync::ShowEdit(int id, Shown& shown, bool force) {
    const EditModel& model = m_models.Edit(id);
    const EditModel& was = shown.edit;
    if (!force && model.text == was.text && model.selectionStart == was.selectionStart &&
        model.selectionEnd == was.selectionEnd && model.enabled == was.enabled) {
        return;
    }
    const std::u16string text = Cp1251ToUtf16(model.text);
    const int length = static_cast<int>(text.size());
    if (force || model.text != was.text || m_port.Text(id) != text) {
        m_port.SetText(id, text);
    }
    m_port.SetSelection(
        id, {std::clamp(model.selectionStart, 0, length), std::clamp(model.selectionEnd, 0, length)});
    m_port.SetEnabled(id, model.enabled);
    shown.edit = model;
    shown.text = text;
}

bool ViewSync::SendRowsAhead() {
    // A list's rows cost the most while waiting: a few thousand go into the control at a time.
    constexpr std::size_t kRowsAPiece = 2048;
    if (m_writing) {
        return true;
    }
    for (const FormControl& control : m_dialog.controls) {
        if (!IsList(control.kind)) {
            continue;
        }
        const ListModel& model = m_models.List(control.id);
        Shown& shown = m_shown[control.id];
        const bool anew = model.Revision() != shown.revision;
        if (!anew && shown.rowsShown == model.Rows().size()) {
            continue;
        }
        const WritingScope writing(m_port, m_writing);
        SendRows(control.id, shown, anew, kRowsAPiece);
        return true;
    }
    return false;
}

void ViewSync::SendRows(int id, Shown& shown, bool anew, std::size_t most) {
    const ListModel& model = m_models.List(id);
    const std::size_t from = anew ? 0 : shown.rowsShown;
    const std::size_t to = std::min(model.Rows().size(), from + most);
    std::vector<std::u16string> rows;
    rows.reserve(to - from);
    for (std::size_t row = from; row < to; ++row) {
        rows.push_back(Cp1251ToUtf16(model.Rows()[row]));
    }
    if (anew) {
        m_port.SetRows(id, rows);
    } else {
        m_port.AddRows(id, rows);
    }
    shown.revision = model.Revision();
    shown.rowsShown = to;
    shown.rowsSent = true;
}

void ViewSync::ShowList(int id, Shown& shown, bool force) {
    const ListModel& model = m_models.List(id);
    const bool anew = (force && !shown.rowsSent) || model.Revision() != shown.revision;
    const bool rowsChanged = anew || shown.rowsShown < model.Rows().size();
    if (rowsChanged) {
        SendRows(id, shown, anew, model.Rows().size());
    }
    const int row = model.Selected() < model.Count() ? model.Selected() : -1;
    if (rowsChanged || model.Selected() != shown.selected || m_port.CurrentRow(id) != row) {
        m_port.SetCurrentRow(id, row);
        shown.selected = model.Selected();
    }
    if (model.Editable()) {
        const std::u16string text = Cp1251ToUtf16(model.EditText());
        if (m_port.Text(id) != text) {
            m_port.SetText(id, text);
        }
        shown.text = text;
    }
    if (force || model.Enabled() != shown.enabled) {
        m_port.SetEnabled(id, model.Enabled());
        shown.enabled = model.Enabled();
    }
}

void ViewSync::ShowDate(int id, Shown& shown, bool force) {
    const DatePickerModel& model = m_models.Date(id);
    if (!force && model.date == shown.date && model.enabled == shown.enabled) {
        return;
    }
    // A date that is no date leaves the picker as it is.
    if (model.date.IsValid()) {
        m_port.SetDate(id, model.date);
    }
    m_port.SetEnabled(id, model.enabled);
    shown.date = model.date;
    shown.enabled = model.enabled;
}

} // namespace kvitok
