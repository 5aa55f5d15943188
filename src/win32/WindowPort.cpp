#include "WindowPort.h"

#include <commctrl.h>

namespace kvitok {

namespace {

// The control of the dialog that holds `window` (a drop-down's own edit belongs to the list).
HWND DialogChild(HWND dialog, HWND window) {
    while (window != nullptr && GetParent(window) != dialog) {
        window = GetParent(window);
    }
    return window;
}

bool IsComboBox(HWND control) {
    wchar_t name[16] = {};
    GetClassNameW(control, name, 16);
    return lstrcmpiW(name, WC_COMBOBOXW) == 0;
}

// The edit a person types into: the control itself, or the edit of an editable list.
HWND EditOf(HWND control) {
    COMBOBOXINFO info {};
    info.cbSize = sizeof info;
    return IsComboBox(control) && GetComboBoxInfo(control, &info) ? info.hwndItem : control;
}

// wchar_t is a UTF-16 unit on Windows; the copies keep the two types apart without casts.
std::wstring ToWide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

} // namespace

HWND WindowPort::Control(int id) const {
    return GetDlgItem(m_dialog, id);
}

void WindowPort::EndUpdate() {
    // A control switched off while it had the focus would leave the keyboard nowhere.
    HWND focused = DialogChild(m_dialog, GetFocus());
    if (focused != nullptr && !IsWindowEnabled(focused)) {
        SendMessageW(m_dialog, WM_NEXTDLGCTL, 0, FALSE);
    }
}

std::u16string WindowPort::Text(int id) const {
    HWND control = Control(id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return std::u16string(text.begin(), text.end());
}

void WindowPort::SetText(int id, const std::u16string& text) {
    SetWindowTextW(Control(id), ToWide(text).c_str());
}

ControlPort::Selection WindowPort::GetSelection(int id) const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(EditOf(Control(id)), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

void WindowPort::SetSelection(int id, Selection selection) {
    HWND edit = EditOf(Control(id));
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(selection.start), static_cast<LPARAM>(selection.end));
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

void WindowPort::SetEnabled(int id, bool enabled) {
    EnableWindow(Control(id), enabled);
}

void WindowPort::SetRows(int id, const std::vector<std::u16string>& rows) {
    SendMessageW(Control(id), CB_RESETCONTENT, 0, 0);
    AddRows(id, rows);
}

void WindowPort::AddRows(int id, const std::vector<std::u16string>& rows) {
    HWND combo = Control(id);
    // Added in one go without drawing each row; no list is sorted by the control, so each row
    // goes to the end, in the order the sync keeps.
    SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
    std::size_t bytes = 0;
    for (const std::u16string& row : rows) {
        bytes += (row.size() + 1) * sizeof(wchar_t);
    }
    SendMessageW(combo, CB_INITSTORAGE, rows.size(), static_cast<LPARAM>(bytes));
    for (const std::u16string& row : rows) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(row).c_str()));
    }
    SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

int WindowPort::CurrentRow(int id) const {
    return static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0));
}

void WindowPort::SetCurrentRow(int id, int row) {
    SendMessageW(Control(id), CB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

std::optional<CalendarDate> WindowPort::Date(int id) const {
    SYSTEMTIME time {};
    if (SendMessageW(Control(id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID) {
        return std::nullopt;
    }
    return CalendarDate {time.wYear, time.wMonth, time.wDay, 0, 0, 0};
}

void WindowPort::SetDate(int id, const CalendarDate& date) {
    // The picker reaches back to 1752 only.
    if (date.year < 1752) {
        return;
    }
    SYSTEMTIME time {};
    time.wYear = static_cast<WORD>(date.year);
    time.wMonth = static_cast<WORD>(date.month);
    time.wDay = static_cast<WORD>(date.day);
    SendMessageW(Control(id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

void WindowPort::ShowSuggestions(int id, const std::vector<std::u16string>& rows) {
    std::vector<std::wstring> wide;
    wide.reserve(rows.size());
    for (const std::u16string& row : rows) {
        wide.push_back(ToWide(row));
    }
    HWND field = Control(id);
    m_suggestions.Show(id, field, EditOf(field), wide);
}

void WindowPort::TellRefused(int id, const std::u16string& title, const std::u16string& text) {
    const std::wstring wideTitle = ToWide(title);
    const std::wstring wideText = ToWide(text);
    EDITBALLOONTIP tip {sizeof tip, wideTitle.c_str(), wideText.c_str(), TTI_ERROR};
    HWND edit = EditOf(Control(id));
    if (!SendMessageW(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip))) {
        m_tip.Show(edit, wideTitle, wideText);
    }
}

} // namespace kvitok
