#include "MainWindow.h"

#include "AccessibleNames.h"
#include "DialogTemplateBuffer.h"
#include "Picture.h"
#include "TypingFilter.h"
#include "WideText.h"
#include "form/MessageMap.h"

#include <commctrl.h>

#include <algorithm>

namespace kvitok {

namespace {

// The focus handlers run once the click or key that moved the focus has been handled, as
// the caret is placed only then.
constexpr UINT kRunFocusHandler = WM_APP + 1;
// The system menu's about entry; the system keeps the low four bits of its commands.
constexpr UINT kAboutCommand = 0x0010;

bool SameEdit(const EditModel& a, const EditModel& b) {
    return a.text == b.text && a.selectionStart == b.selectionStart && a.selectionEnd == b.selectionEnd &&
           a.limit == b.limit && a.enabled == b.enabled;
}

// The date picker reaches back to 1752 only.
bool PickerCanShow(const CalendarDate& date) {
    return date.IsValid() && date.year >= 1752;
}

// The control of the dialog that holds `window` (a drop-down's own edit belongs to the list).
HWND DialogChild(HWND dialog, HWND window) {
    while (window != nullptr && GetParent(window) != dialog) {
        window = GetParent(window);
    }
    return window;
}

} // namespace

MainWindow::MainWindow(MainDialog& dialog) : m_dialog(dialog) {}

MainWindow::~MainWindow() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
    for (HICON icon : {m_bigIcon, m_smallIcon}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

bool MainWindow::Create() {
    const DialogTemplateBuffer buffer(MainDialogTemplate(),
                                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME |
                                          DS_3DLOOK | DS_CENTER,
                                      WS_EX_APPWINDOW | WS_EX_CONTROLPARENT);
    // WM_INITDIALOG runs the dialog's initialisation while the window is still hidden.
    if (CreateDialogIndirectParamW(GetModuleHandleW(nullptr), buffer.Get(), nullptr, DialogProc,
                                   reinterpret_cast<LPARAM>(this)) == nullptr) {
        return false;
    }
    ShowWindow(m_window, SW_SHOW);
    SetForegroundWindow(m_window);
    return true;
}

void MainWindow::Run() {
    MSG message;
    while (!m_ended) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                PostQuitMessage(static_cast<int>(message.wParam));
            }
            return;
        }
        if (m_window == nullptr || !IsDialogMessageW(m_window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

bool MainWindow::ProcessPendingMessages() {
    MSG message;
    while (!m_ended && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (m_window == nullptr || !IsDialogMessageW(m_window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return !m_ended;
}

HWND MainWindow::Control(int id) const {
    return m_window == nullptr ? nullptr : GetDlgItem(m_window, id);
}

INT_PTR CALLBACK MainWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<MainWindow*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        self->m_window = window;
        self->OnInitDialog();
        return TRUE; // the dialog manager focuses the first control
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        self->m_window = nullptr;
        return FALSE;
    }
    return self->OnMessage(message, wParam, lParam) ? TRUE : FALSE;
}

bool MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return true;
    case WM_NOTIFY:
        OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        SetWindowLongPtrW(m_window, DWLP_MSGRESULT, 0);
        return true;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == kAboutCommand) {
            RunHandler([this] {
                m_dialog.OnAbout();
            });
            return true;
        }
        return false;
    case WM_DRAWITEM:
        if (const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam); item->CtlType == ODT_STATIC) {
            DrawEmblem(*item);
            return true;
        }
        return false;
    case kRunFocusHandler: {
        const int id = static_cast<int>(wParam);
        const auto handler = m_focusHandlers.find(id);
        const auto edit = std::find_if(m_edits.begin(), m_edits.end(), [id](const auto& b) {
            return b.id == id;
        });
        if (handler != m_focusHandlers.end() && edit != m_edits.end() && GetFocus() == Control(id)) {
            ReadEdit(*edit);
            RunHandler(handler->second);
        }
        return true;
    }
    case WM_DESTROY:
        m_names.reset();
        return false;
    default:
        return false;
    }
}

void MainWindow::OnInitDialog() {
    if (HMENU menu = GetSystemMenu(m_window, FALSE)) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, kAboutCommand, L"&About kvitok...");
    }
    m_bigIcon = LoadProgramIcon(GetSystemMetrics(SM_CXICON));
    m_smallIcon = LoadProgramIcon(GetSystemMetrics(SM_CXSMICON));
    SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon));
    SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon));
    for (const int id : {ControlId::PeriodFrom, ControlId::PeriodTo}) {
        SendMessageW(Control(id), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"dd.MM.yyyy"));
    }
    Bind();
    m_names = std::make_unique<AccessibleNames>(m_window, MainDialogTemplate().fields);
    Refresh();
    m_dialog.OnInitDialog();
    Refresh();
}

void MainWindow::Bind() {
    DialogControls& c = m_dialog.Controls();
    const auto run = [this](MessageMap::Handler handler) -> Handler {
        if (handler == nullptr) {
            return nullptr;
        }
        return [this, handler] {
            (m_dialog.*handler)();
        };
    };
    for (const MessageMap::Edit& edit : MessageMap::Edits()) {
        EditModel& model = c.*edit.model;
        m_edits.push_back(EditBinding {edit.id, &model, run(edit.onChange), edit.digitsOnly, model});
        FilterTyping(Control(edit.id), edit.digitsOnly);
    }
    for (const MessageMap::List& list : MessageMap::Lists()) {
        m_lists.push_back(ListBinding {list.id, &(c.*list.model), run(list.onSelchange), {}, -1, {}, true});
    }
    for (const MessageMap::Date& date : MessageMap::Dates()) {
        DatePickerModel& model = c.*date.model;
        m_dates.push_back(DateBinding {date.id, &model, run(date.onCloseup), model});
    }
    // The payer list's own edit takes typing like any field.
    if (HWND payerEdit = FindWindowExW(Control(ControlId::Payer), nullptr, L"Edit", nullptr)) {
        FilterTyping(payerEdit, false);
    }

    for (const MessageMap::Command& focus : MessageMap::FocusCommands()) {
        m_focusHandlers[focus.id] = run(focus.handler);
    }
    for (const MessageMap::Command& button : MessageMap::Buttons()) {
        m_buttons[button.id] = run(button.handler);
    }
    for (const int help : MessageMap::HelpButtons()) {
        m_buttons[help] = [this, help] {
            m_dialog.OnHelp(help);
        };
    }
}

void MainWindow::OnCommand(int id, int code) {
    if (m_writing) {
        return;
    }
    if (const auto edit = std::find_if(m_edits.begin(), m_edits.end(),
                                       [id](const auto& b) {
                                           return b.id == id;
                                       });
        edit != m_edits.end()) {
        if (code == EN_CHANGE) {
            ReadEdit(*edit);
            if (edit->onChange) {
                RunHandler(edit->onChange);
            }
        } else if (code == EN_SETFOCUS && m_focusHandlers.contains(id)) {
            PostMessageW(m_window, kRunFocusHandler, static_cast<WPARAM>(id), 0);
        }
        return;
    }
    if (const auto list = std::find_if(m_lists.begin(), m_lists.end(),
                                       [id](const auto& b) {
                                           return b.id == id;
                                       });
        list != m_lists.end()) {
        ListModel& model = *list->model;
        HWND combo = Control(id);
        if (code == CBN_SELCHANGE) {
            const int row = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
            if (row == model.Selected() && !model.Editable()) {
                return;
            }
            model.Select(row);
            list->selected = row;
            list->editText = model.EditText();
            if (list->onSelchange) {
                RunHandler(list->onSelchange);
            }
        } else if (code == CBN_EDITCHANGE && model.Editable()) {
            if (const auto text = WindowText(combo)) {
                model.SetEditText(*text);
                list->editText = *text;
            }
        }
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    if (id == IDCANCEL) {
        // Esc, the close box and "Отмена" all ask first.
        OnCancelCommand();
        return;
    }
    // Enter reaches "Создать" wherever the focus is; a switched-off button does nothing.
    if (id == IDOK && !m_dialog.Controls().create.enabled) {
        return;
    }
    if (const auto button = m_buttons.find(id); button != m_buttons.end()) {
        RunHandler(button->second);
    }
}

void MainWindow::OnNotify(const NMHDR& header) {
    if (m_writing) {
        return;
    }
    const auto date = std::find_if(m_dates.begin(), m_dates.end(), [&header](const auto& b) {
        return b.id == static_cast<int>(header.idFrom);
    });
    if (date == m_dates.end()) {
        return;
    }
    // Typing or spinning only changes the date; the handler runs when the calendar closes.
    if (header.code == DTN_DATETIMECHANGE) {
        ReadDate(*date);
    } else if (header.code == DTN_CLOSEUP) {
        ReadDate(*date);
        RunHandler(date->onCloseup);
    }
}

void MainWindow::OnCancelCommand() {
    if (m_dialog.OnCancel()) {
        m_ended = true;
        DestroyWindow(m_window);
        return;
    }
    Refresh();
}

void MainWindow::RunHandler(const Handler& handler) {
    handler();
    if (m_window != nullptr) {
        Refresh();
    }
}

void MainWindow::ReadEdit(EditBinding& binding) {
    HWND edit = Control(binding.id);
    if (const auto text = WindowText(edit)) {
        binding.model->text = *text;
    }
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    binding.model->selectionStart = static_cast<int>(start);
    binding.model->selectionEnd = static_cast<int>(end);
    binding.shown = *binding.model;
}

void MainWindow::ReadDate(DateBinding& binding) {
    SYSTEMTIME time {};
    if (SendMessageW(Control(binding.id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) !=
        GDT_VALID) {
        return;
    }
    binding.model->date.year = time.wYear;
    binding.model->date.month = time.wMonth;
    binding.model->date.day = time.wDay;
    binding.shown.date = binding.model->date;
}

void MainWindow::Refresh() {
    if (m_window == nullptr) {
        return;
    }
    const bool force = !m_shownOnce;
    m_shownOnce = true;
    m_writing = true;
    for (EditBinding& binding : m_edits) {
        ShowEdit(binding, force);
    }
    for (ListBinding& binding : m_lists) {
        ShowList(binding, force);
    }
    for (DateBinding& binding : m_dates) {
        ShowDate(binding, force);
    }
    const DialogControls& c = m_dialog.Controls();
    EnableWindow(Control(ControlId::Create), c.create.enabled);
    EnableWindow(Control(ControlId::Browse), c.browse.enabled);
    m_writing = false;
    KeepFocusOnEnabledControl();
}

void MainWindow::ShowEdit(EditBinding& binding, bool force) {
    const EditModel& model = *binding.model;
    if (!force && SameEdit(model, binding.shown)) {
        return;
    }
    HWND edit = Control(binding.id);
    // A longer value the program put there stays whole; typing cannot make it longer.
    const std::size_t limit = model.limit == 0 ? 0 : std::max(model.limit, model.text.size());
    SendMessageW(edit, EM_SETLIMITTEXT, limit, 0);
    if (force || model.text != binding.shown.text || WindowText(edit) != model.text) {
        SetWindowTextCp1251(edit, model.text);
    }
    const int length = static_cast<int>(model.text.size());
    const int start = std::clamp(model.selectionStart, 0, length);
    const int end = std::clamp(model.selectionEnd, 0, length);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    EnableWindow(edit, model.enabled);
    binding.shown = model;
}

void MainWindow::ShowList(ListBinding& binding, bool force) {
    const ListModel& model = *binding.model;
    HWND combo = Control(binding.id);
    const bool rowsChanged = force || model.Rows() != binding.rows;
    if (rowsChanged) {
        // Filled in one go without drawing each row: a long payer list stays quick.
        SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        std::size_t bytes = 0;
        for (const std::string& row : model.Rows()) {
            bytes += (row.size() + 1) * sizeof(wchar_t);
        }
        SendMessageW(combo, CB_INITSTORAGE, static_cast<WPARAM>(model.Count()), static_cast<LPARAM>(bytes));
        for (const std::string& row : model.Rows()) {
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(row).c_str()));
        }
        SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        binding.rows = model.Rows();
    }
    const int row = model.Selected() < model.Count() ? model.Selected() : -1;
    if (rowsChanged || model.Selected() != binding.selected ||
        static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)) != row) {
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
        binding.selected = model.Selected();
    }
    if (model.Editable()) {
        if (WindowText(combo) != model.EditText()) {
            SetWindowTextCp1251(combo, model.EditText());
        }
        binding.editText = model.EditText();
    }
    if (force || model.Enabled() != binding.enabled) {
        EnableWindow(combo, model.Enabled());
        binding.enabled = model.Enabled();
    }
}

void MainWindow::ShowDate(DateBinding& binding, bool force) {
    const DatePickerModel& model = *binding.model;
    if (!force && model.date == binding.shown.date && model.enabled == binding.shown.enabled) {
        return;
    }
    HWND picker = Control(binding.id);
    // A date that is no date leaves the picker as it is.
    if (PickerCanShow(model.date)) {
        SYSTEMTIME time {};
        time.wYear = static_cast<WORD>(model.date.year);
        time.wMonth = static_cast<WORD>(model.date.month);
        time.wDay = static_cast<WORD>(model.date.day);
        SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    }
    EnableWindow(picker, model.enabled);
    binding.shown = model;
}

void MainWindow::KeepFocusOnEnabledControl() {
    // A control switched off while it had the focus would leave the keyboard nowhere.
    HWND focused = DialogChild(m_window, GetFocus());
    if (focused != nullptr && !IsWindowEnabled(focused)) {
        SendMessageW(m_window, WM_NEXTDLGCTL, 0, FALSE);
    }
}

} // namespace kvitok
