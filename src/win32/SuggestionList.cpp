#include "SuggestionList.h"

#include <commctrl.h>

namespace kvitok {

namespace {

constexpr UINT_PTR kSubclass = 1;
constexpr DWORD kStyle = WS_POPUP | WS_BORDER | LBS_NOINTEGRALHEIGHT;
constexpr DWORD kExStyle = WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;

} // namespace

SuggestionList::~SuggestionList() {
    if (m_list != nullptr) {
        DestroyWindow(m_list);
    }
}

bool SuggestionList::Make(HWND field) {
    m_list = CreateWindowExW(kExStyle, WC_LISTBOXW, nullptr, kStyle, 0, 0, 0, 0, GetAncestor(field, GA_ROOT),
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    if (m_list == nullptr) {
        return false; // the field works as without suggestions
    }
    SetWindowSubclass(m_list, ListProc, kSubclass, reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(m_list, WM_SETFONT, static_cast<WPARAM>(SendMessageW(field, WM_GETFONT, 0, 0)), FALSE);
    return true;
}

void SuggestionList::Show(int id, HWND field, HWND edit, const std::vector<std::wstring>& rows) {
    // Over a list already open the rows would say the same twice.
    if (rows.empty() || GetFocus() != edit || SendMessageW(field, CB_GETDROPPEDSTATE, 0, 0) != FALSE) {
        Hide();
        return;
    }
    if (m_list == nullptr && !Make(field)) {
        return;
    }
    m_id = id;
    m_field = field;
    m_edit = edit;
    SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_list, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& row : rows) {
        SendMessageW(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    }
    SendMessageW(m_list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_list, nullptr, TRUE);
    Place(static_cast<int>(rows.size()));
}

// Under the field and as wide; above it where the screen ends below.
void SuggestionList::Place(int rows) {
    RECT field {};
    GetWindowRect(m_field, &field);
    RECT frame {0, 0, 0, rows * static_cast<int>(SendMessageW(m_list, LB_GETITEMHEIGHT, 0, 0))};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const int height = frame.bottom - frame.top;
    int top = field.bottom;
    MONITORINFO screen {};
    screen.cbSize = sizeof screen;
    if (GetMonitorInfoW(MonitorFromWindow(m_field, MONITOR_DEFAULTTONEAREST), &screen) &&
        top + height > screen.rcWork.bottom && field.top - height >= screen.rcWork.top) {
        top = field.top - height;
    }
    SetWindowPos(m_list, HWND_TOP, field.left, top, field.right - field.left, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void SuggestionList::Hide() {
    if (!Visible()) {
        return;
    }
    if (GetCapture() == m_list) {
        ReleaseCapture();
    }
    ShowWindow(m_list, SW_HIDE);
}

bool SuggestionList::Visible() const {
    return m_list != nullptr && IsWindowVisible(m_list);
}

int SuggestionList::Chosen() const {
    return Visible() ? static_cast<int>(SendMessageW(m_list, LB_GETCURSEL, 0, 0)) : -1;
}

void SuggestionList::Choose(int row) {
    SendMessageW(m_list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void SuggestionList::Move(int by) {
    const int places = static_cast<int>(SendMessageW(m_list, LB_GETCOUNT, 0, 0)) + 1;
    Choose(((Chosen() + 1 + by) % places + places) % places - 1);
}

void SuggestionList::Take(int row) {
    Hide();
    if (m_taken) {
        m_taken(m_id, row);
    }
}

int SuggestionList::RowAt(LPARAM point) const {
    const LRESULT found = SendMessageW(m_list, LB_ITEMFROMPOINT, 0, point);
    return HIWORD(found) == 0 ? static_cast<int>(LOWORD(found)) : -1;
}

bool SuggestionList::Sees(const MSG& message) {
    if (!Visible()) {
        return false;
    }
    switch (message.message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        // A click anywhere else puts the list away, as it does a menu.
        if (message.hwnd != m_list && message.hwnd != m_edit) {
            Hide();
        }
        return false;
    case WM_KEYDOWN:
        break;
    default:
        return false;
    }
    if (message.hwnd != m_edit) {
        return false;
    }
    switch (message.wParam) {
    case VK_DOWN:
        Move(1);
        return true;
    case VK_UP:
        Move(-1);
        return true;
    case VK_NEXT:
        Choose(static_cast<int>(SendMessageW(m_list, LB_GETCOUNT, 0, 0)) - 1);
        return true;
    case VK_PRIOR:
        Choose(0);
        return true;
    case VK_RETURN:
        if (const int row = Chosen(); row >= 0) {
            Take(row);
            return true;
        }
        Hide(); // and Enter does what it does in the field: the default button
        return false;
    case VK_TAB:
        Hide();
        return false;
    case VK_ESCAPE:
        Hide(); // the typed text stays, and the dialog is not cancelled
        return true;
    default:
        return false;
    }
}

// The list box's own mouse handling would take the focus (and activate the popup); a press
// chooses the row under it, and the row under the release is taken.
LRESULT CALLBACK SuggestionList::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
    auto* suggestions = reinterpret_cast<SuggestionList*>(self);
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        suggestions->Choose(suggestions->RowAt(lParam));
        SetCapture(list);
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() != list) {
            break;
        }
        if (const int row = suggestions->RowAt(lParam); row >= 0) {
            suggestions->Choose(row);
        }
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == list) {
            ReleaseCapture();
            if (const int row = suggestions->RowAt(lParam); row >= 0) {
                suggestions->Take(row);
            }
        }
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return 0;
    case WM_NCDESTROY:
        // The dialog takes its popups with it.
        RemoveWindowSubclass(list, ListProc, kSubclass);
        suggestions->m_list = nullptr;
        break;
    default:
        break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

} // namespace kvitok
