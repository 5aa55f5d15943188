#include "ControlSync.h"

#include "InputMasks.h"
#include "receipt/PaymentLineText.h"
#include "text/Cp1251.h"
#include "text/Cp1251Literal.h"
#include "text/Format.h"
#include "text/Utf16.h"

#include <algorithm>
#include <map>

namespace kvitok {

namespace {

// Sets a flag for the time of a scope.
class Flagged {
public:
    explicit Flagged(bool& flag) : m_flag(flag) { m_flag = true; }
    ~Flagged() { m_flag = false; }
    Flagged(const Flagged&) = delete;
    Flagged& operator=(const Flagged&) = delete;

private:
    bool& m_flag;
};

bool IsList(ControlKind kind) {
    return kind == ControlKind::DropDownList || kind == ControlKind::EditableDropDown;
}

bool IsEdit(ControlKind kind) {
    return kind == ControlKind::Edit || kind == ControlKind::BorderlessEdit;
}

bool IsButton(ControlKind kind) {
    return kind == ControlKind::Button || kind == ControlKind::DefaultButton;
}

bool IsDatePicker(ControlKind kind) {
    return kind == ControlKind::DatePicker;
}

// An edit, or a list with an edit of its own.
bool HoldsText(ControlKind kind) {
    return IsEdit(kind) || kind == ControlKind::EditableDropDown;
}

// The code points of a UTF-16 text; a surrogate without its partner stands for itself.
std::vector<char32_t> CodePoints(const std::u16string& text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            points.push_back(0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else {
            points.push_back(unit);
        }
    }
    return points;
}

// How a message names a character: itself in quotes, or its code where it has no glyph.
std::u16string CharacterName(char32_t c) {
    if (c < 0x20 || c == 0x7F || (c >= 0xD800 && c < 0xE000)) {
        const std::string code = FormatText("U+%04X", static_cast<unsigned>(c));
        return std::u16string(code.begin(), code.end());
    }
    std::u16string name = u"«";
    if (c >= 0x10000) {
        name += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        name += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        name += static_cast<char16_t>(c);
    }
    return name + u"»";
}

std::u16string Utf16(std::string_view cp1251) {
    return Cp1251ToUtf16(cp1251);
}

std::size_t CommonPrefix(const std::u16string& a, const std::u16string& b) {
    return static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
}

} // namespace

std::optional<std::u16string> RefusedInput(const std::u16string& typed, const std::string& before,
                                           bool digitsOnly) {
    // A value the program put there (a hand-edited profile, say) may hold what could not be
    // typed; the person can still edit around it and delete it.
    std::map<char32_t, int> held;
    for (const char32_t c : CodePoints(Utf16(before))) {
        ++held[c];
    }
    for (const char32_t c : CodePoints(typed)) {
        if (held[c]-- > 0) {
            continue;
        }
        if (!IsCp1251Representable(c) || !FitsPaymentLine(c)) {
            return Utf16("Символ "_cp) + CharacterName(c) + Utf16(" нельзя напечатать в квитанции."_cp);
        }
        if (digitsOnly && (c < U'0' || c > U'9')) {
            return Utf16("Символ "_cp) + CharacterName(c) +
                   Utf16(" недопустим: здесь вводятся только цифры."_cp);
        }
    }
    return std::nullopt;
}

ControlSync::ControlSync(MainDialog& dialog, ControlPort& port) : m_dialog(dialog), m_port(port) {}

void ControlSync::Start() {
    Refresh();
    {
        const Flagged acting(m_acting);
        m_dialog.OnInitDialog();
        RememberRows();
    }
    Refresh();
}

void ControlSync::Act(const FormControl& control, FormHandler handler) {
    Act(control, [this, handler] {
        (m_dialog.*handler)();
    });
}

void ControlSync::Act(const FormControl& control, const std::function<void()>& handler) {
    const Flagged acting(m_acting);
    if (control.readsForm) {
        if (const std::optional<std::string> complaint =
                m_dialog.RefusedValue(IsList(control.kind) ? control.id : -1)) {
            // Back to the row first, so that the form behind the message is the one it keeps.
            if (IsList(control.kind)) {
                PutBack(control.id);
            }
            Refresh();
            m_dialog.Complain(*complaint);
            Refresh();
            return;
        }
    }
    handler();
    RememberRows();
    Refresh();
}

bool ControlSync::TakeText(const FormControl& control) {
    const int id = control.id;
    const bool editable = control.kind == ControlKind::EditableDropDown;
    DialogControls& c = m_dialog.Controls();
    const std::string held = editable ? c.List(id).EditText() : c.Edit(id).text;
    const std::u16string typed = m_port.Text(id);
    if (const std::optional<std::u16string> why = RefusedInput(typed, held, control.digitsOnly)) {
        // The field goes back to what the form holds, the caret where the change began.
        const std::u16string kept = Utf16(held);
        const int at = static_cast<int>(CommonPrefix(kept, typed));
        m_port.BeginUpdate();
        {
            const Flagged updating(m_updating);
            m_port.SetText(id, kept);
            m_port.SetSelection(id, {at, at});
        }
        m_port.EndUpdate();
        if (!editable) {
            c.Edit(id).selectionStart = c.Edit(id).selectionEnd = at;
            m_shown[id].edit = c.Edit(id);
        }
        m_port.TellRefused(id, Utf16("Недопустимый символ"_cp), *why);
        return false;
    }
    const std::string text = Utf16ToCp1251(typed).value_or(held);
    if (editable) {
        c.List(id).SetEditText(text);
        return true;
    }
    EditModel& edit = c.Edit(id);
    const ControlPort::Selection selection = m_port.GetSelection(id);
    edit.text = text;
    edit.selectionStart = selection.start;
    edit.selectionEnd = selection.end;
    m_shown[id].edit = edit;
    return true;
}

const FormControl* ControlSync::Reported(int id, bool (*ofKind)(ControlKind)) const {
    if (Busy()) {
        return nullptr;
    }
    const FormControl* control = FindFormRow(id);
    return control != nullptr && ofKind(control->kind) ? control : nullptr;
}

void ControlSync::TextChanged(int id) {
    const FormControl* control = Reported(id, HoldsText);
    if (control != nullptr && TakeText(*control) && IsEdit(control->kind) && control->onAction != nullptr) {
        Act(*control, control->onAction);
    }
}

void ControlSync::RowPicked(int id) {
    const FormControl* control = Reported(id, IsList);
    if (control == nullptr) {
        return;
    }
    ListModel& list = m_dialog.Controls().List(id);
    const int row = m_port.CurrentRow(id);
    if (row == list.Selected() && !list.Editable()) {
        return;
    }
    list.Select(row);
    Shown& shown = m_shown[id];
    shown.selected = list.Selected();
    if (control->onAction != nullptr) {
        Act(*control, control->onAction);
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
        m_shown[id].date = held;
    }
}

void ControlSync::CalendarClosed(int id) {
    const FormControl* control = Reported(id, IsDatePicker);
    if (control == nullptr) {
        return;
    }
    DateChanged(id);
    if (control->onAction != nullptr) {
        Act(*control, control->onAction);
    }
}

void ControlSync::FocusEntered(int id) {
    const FormControl* control = Reported(id, IsEdit);
    if (control != nullptr && control->onFocus != nullptr && TakeText(*control)) {
        Act(*control, control->onFocus);
    }
}

void ControlSync::Clicked(int id) {
    const FormControl* control = Reported(id, IsButton);
    // Enter reaches "Создать" wherever the focus is; a switched-off button does nothing.
    if (control == nullptr || !m_dialog.Controls().Button(id).enabled) {
        return;
    }
    if (!control->help.empty()) {
        Act(*control, [this, id] {
            m_dialog.OnHelp(id);
        });
    } else if (control->onAction != nullptr) {
        Act(*control, control->onAction);
    }
}

bool ControlSync::Cancel() {
    if (Busy()) {
        return false;
    }
    bool ended = false;
    {
        const Flagged acting(m_acting);
        ended = m_dialog.OnCancel();
    }
    Refresh();
    return ended;
}

void ControlSync::RememberRows() {
    for (const FormControl& control : MainDialogTemplate().controls) {
        if (IsList(control.kind) && control.onAction != nullptr) {
            const ListModel& list = m_dialog.Controls().List(control.id);
            m_builtRows[control.id] = {list.Selected(), list.EditText()};
        }
    }
}

void ControlSync::PutBack(int id) {
    const auto built = m_builtRows.find(id);
    if (built == m_builtRows.end()) {
        return;
    }
    ListModel& list = m_dialog.Controls().List(id);
    list.Select(built->second.row);
    if (list.Editable()) {
        list.SetEditText(built->second.editText);
    }
}

void ControlSync::Refresh() {
    if (m_updating) {
        return;
    }
    const bool force = !m_shownOnce;
    m_shownOnce = true;
    m_port.BeginUpdate();
    {
        const Flagged updating(m_updating);
        const DialogControls& c = m_dialog.Controls();
        for (const FormControl& control : MainDialogTemplate().controls) {
            if (control.id < 0) {
                continue;
            }
            Shown& shown = m_shown[control.id];
            if (IsEdit(control.kind)) {
                ShowEdit(control.id, shown, force);
            } else if (IsList(control.kind)) {
                ShowList(control.id, shown, force);
            } else if (control.kind == ControlKind::DatePicker) {
                ShowDate(control.id, shown, force);
            } else if (IsButton(control.kind) && (force || c.Button(control.id).enabled != shown.enabled)) {
                m_port.SetEnabled(control.id, c.Button(control.id).enabled);
                shown.enabled = c.Button(control.id).enabled;
            }
        }
    }
    m_port.EndUpdate();
}

void ControlSync::ShowEdit(int id, Shown& shown, bool force) {
    const EditModel& model = m_dialog.Controls().Edit(id);
    const EditModel& was = shown.edit;
    if (!force && model.text == was.text && model.selectionStart == was.selectionStart &&
        model.selectionEnd == was.selectionEnd && model.limit == was.limit && model.enabled == was.enabled) {
        return;
    }
    const std::u16string text = Utf16(model.text);
    const int length = static_cast<int>(text.size());
    // A longer value the program put there stays whole; typing cannot make it longer.
    m_port.SetLimit(id, model.limit == 0 ? 0 : std::max(static_cast<int>(model.limit), length));
    if (force || model.text != was.text || m_port.Text(id) != text) {
        m_port.SetText(id, text);
    }
    m_port.SetSelection(
        id, {std::clamp(model.selectionStart, 0, length), std::clamp(model.selectionEnd, 0, length)});
    m_port.SetEnabled(id, model.enabled);
    shown.edit = model;
}

bool ControlSync::ShowAhead(std::chrono::milliseconds slice, const std::function<bool()>& othersWait) {
    const auto began = std::chrono::steady_clock::now();
    while (ShowAheadPiece()) {
        if ((othersWait && othersWait()) || std::chrono::steady_clock::now() - began >= slice) {
            return true;
        }
    }
    return false;
}

bool ControlSync::ShowAheadPiece() {
    // A list's rows cost the most while waiting: a few thousand go into the control at a time.
    constexpr std::size_t kRowsAPiece = 2048;
    if (m_updating) {
        return true;
    }
    if (m_dialog.ReadAhead()) {
        return true;
    }
    for (const FormControl& control : MainDialogTemplate().controls) {
        if (!IsList(control.kind)) {
            continue;
        }
        const ListModel& model = m_dialog.Controls().List(control.id);
        Shown& shown = m_shown[control.id];
        const bool anew = model.Revision() != shown.revision;
        if (!anew && shown.rowsShown == model.Rows().size()) {
            continue;
        }
        m_port.BeginUpdate();
        {
            const Flagged updating(m_updating);
            SendRows(control.id, shown, anew, kRowsAPiece);
        }
        m_port.EndUpdate();
        return true;
    }
    return false;
}

void ControlSync::SendRows(int id, Shown& shown, bool anew, std::size_t most) {
    const ListModel& model = m_dialog.Controls().List(id);
    const std::size_t from = anew ? 0 : shown.rowsShown;
    const std::size_t to = std::min(model.Rows().size(), from + most);
    std::vector<std::u16string> rows;
    rows.reserve(to - from);
    for (std::size_t row = from; row < to; ++row) {
        rows.push_back(Utf16(model.Rows()[row]));
    }
    if (anew) {
        m_port.SetRows(id, rows);
    } else {
        m_port.AddRows(id, rows);
    }
    shown.revision = model.Revision();
    shown.rowsShown = to;
}

void ControlSync::ShowList(int id, Shown& shown, bool force) {
    const ListModel& model = m_dialog.Controls().List(id);
    const bool anew = force || model.Revision() != shown.revision;
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
        const std::u16string text = Utf16(model.EditText());
        if (m_port.Text(id) != text) {
            m_port.SetText(id, text);
        }
    }
    if (force || model.Enabled() != shown.enabled) {
        m_port.SetEnabled(id, model.Enabled());
        shown.enabled = model.Enabled();
    }
}

void ControlSync::ShowDate(int id, Shown& shown, bool force) {
    const DatePickerModel& model = m_dialog.Controls().Date(id);
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
