#include "MainWindow.h"

#include "DialogBuilder.h"
#include "Emblem.h"
#include "form/FormTable.h"

#include <commctrl.h>

#include <chrono>

namespace kvitok {

namespace {

// The focus handlers run once the click or key that moved the focus has been handled, as
// the caret is placed only then.
constexpr UINT kRunFocusHandler = WM_APP + 1;
// An editable list that closed is looked at once the notifications of its closing are all in:
// a click reports its row after the closing.
constexpr UINT kCheckClosedList = WM_APP + 2;
// The system menu's about entry; the system keeps the low four bits of its commands.
constexpr UINT kAboutCommand = 0x0010;
// Its messages come when nothing else waits, after painting: the time the sync may show ahead.
constexpr UINT_PTR kShowAheadTimer = 1;

} // namespace

MainWindow::MainWindow(MainDialog& dialog) : m_sync(dialog, m_port) {
    m_port.Suggestions().WhenTaken([this](int id, int index) {
        m_sync.SuggestionTaken(id, index);
    });
}

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
    const DialogBuilder dialog(MainDialogTemplate(),
                               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME |
                                   DS_3DLOOK | DS_CENTER,
                               WS_EX_APPWINDOW | WS_EX_CONTROLPARENT);
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), nullptr, DialogProc,
                                      reinterpret_cast<LPARAM>(this)) != nullptr;
}

void MainWindow::Start() {
    SetTimer(m_window, kShowAheadTimer, USER_TIMER_MINIMUM, nullptr);
    m_sync.Start();
    FinishForm();
}

void MainWindow::ShowAhead() {
    // The dialog manager shows a modal box once its queue first runs dry; the first tick may
    // come before that, and only lets the box show.
    if (!m_aheadBegun) {
        m_aheadBegun = true;
        return;
    }
    // The form's texts are measured, its inputs named and its icons set first.
    if (!m_finished) {
        FinishForm();
        return;
    }
    // A person's key or click, or a window to paint, goes first; between them a piece takes a
    // few milliseconds, as a list's rows go into it one message each.
    const bool left = m_sync.Idle().Run(std::chrono::milliseconds(50), [] {
        return HIWORD(GetQueueStatus(QS_INPUT | QS_PAINT | QS_POSTMESSAGE | QS_SENDMESSAGE)) != 0;
    });
    if (!left) {
        KillTimer(m_window, kShowAheadTimer);
    }
}

void MainWindow::Show() {
    ShowWindow(m_window, SW_SHOW);
    SetForegroundWindow(m_window);
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
        Dispatch(message);
    }
}

// The list of suggestions' keys first, then the dialog manager's (Tab, Enter, Esc, mnemonics),
// then the control's own.
void MainWindow::Dispatch(MSG& message) {
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN ||
        message.message == WM_LBUTTONDOWN) {
        m_port.PersonActs();
    }
    if (m_port.Suggestions().Sees(message)) {
        return;
    }
    if (m_window == nullptr || !IsDialogMessageW(m_window, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool MainWindow::ProcessPendingMessages() {
    MSG message;
    while (!m_ended && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        Dispatch(message);
    }
    return !m_ended;
}

void MainWindow::Refresh() {
    if (m_window != nullptr) {
        m_sync.Refresh();
    }
}

HWND MainWindow::Control(int id) const {
    return m_window == nullptr ? nullptr : GetDlgItem(m_window, id);
}

ControlPort& MainWindow::Port() {
    return m_port;
}

INT_PTR CALLBACK MainWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<MainWindow*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        self->m_window = window;
        self->m_port.Attach(window);
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
            m_sync.Clicked(ControlId::About);
            return true;
        }
        return false;
    case WM_TIMER:
        if (wParam != kShowAheadTimer) {
            return false;
        }
        ShowAhead();
        return true;
    case WM_MOVE:
        m_port.Suggestions().Hide(); // it would stay where the field was
        return false;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            m_port.Suggestions().Hide();
        }
        return false; // the dialog manager keeps the focus for the return
    case kCheckClosedList:
        m_sync.ListClosed(static_cast<int>(wParam));
        return true;
    case kRunFocusHandler:
        if (const int id = static_cast<int>(wParam); GetFocus() == Control(id)) {
            m_sync.FocusEntered(id);
        }
        return true;
    default:
        return false;
    }
}

// What the dialog manager does not do by itself: the controls dressed and the system menu's about
// entry; the rest of it waits for FinishForm.
void MainWindow::OnInitDialog() {
    DressDialog(m_window, MainDialogTemplate());
    if (HMENU menu = GetSystemMenu(m_window, FALSE)) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, kAboutCommand, L"&About kvitok...");
    }
}

void MainWindow::FinishForm() {
    if (m_finished) {
        return;
    }
    m_finished = true;
    FitTexts(m_window, MainDialogTemplate());
    NameControls(m_window, MainDialogTemplate());
    m_bigIcon = LoadProgramIcon(GetSystemMetrics(SM_CXICON));
    m_smallIcon = LoadProgramIcon(GetSystemMetrics(SM_CXSMICON));
    SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon));
    SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon));
}

void MainWindow::OnCommand(int id, int code) {
    switch (code) {
    case EN_CHANGE:
    case CBN_EDITCHANGE:
        m_sync.TextChanged(id);
        break;
    case EN_SETFOCUS:
        PostMessageW(m_window, kRunFocusHandler, static_cast<WPARAM>(id), 0);
        break;
    case CBN_SELCHANGE:
        m_sync.RowPicked(id);
        break;
    case CBN_SELENDOK:
        PostMessageW(m_window, kCheckClosedList, static_cast<WPARAM>(id), 0);
        break;
    case CBN_DROPDOWN:
    case CBN_KILLFOCUS:
        m_port.Suggestions().Hide();
        break;
    case BN_CLICKED:
        if (id == IDCANCEL) {
            OnCancel(); // Esc, the close box and "Отмена" alike
        } else if (id > 0) {
            m_sync.Clicked(id);
        }
        break;
    default:
        break;
    }
}

void MainWindow::OnNotify(const NMHDR& header) {
    const int id = static_cast<int>(header.idFrom);
    if (header.code == DTN_DATETIMECHANGE) {
        m_sync.DateChanged(id);
    } else if (header.code == DTN_CLOSEUP) {
        m_sync.CalendarClosed(id);
    }
}

void MainWindow::OnCancel() {
    if (m_sync.Cancel()) {
        m_ended = true;
        DestroyWindow(m_window);
    }
}

} // namespace kvitok
