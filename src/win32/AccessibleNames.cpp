#include "AccessibleNames.h"

#include "TextBridge.h"
#include "Win32Platform.h"

#include <algorithm>
#include <string>

namespace kvitok {

namespace {

// A window whose procedure AccessibleNames stands in front of until a client asks.
struct Listener {
    HWND window;
    WNDPROC next;
    // nullptr once the names are given or their owner is gone: the window's messages only pass on.
    AccessibleNames* names;
};

// A window's procedure runs on the thread that made it.
thread_local std::vector<Listener> t_listeners;

} // namespace

AccessibleNames::AccessibleNames(HWND dialog, const DialogTemplate& dialogTemplate)
    : m_dialog(dialog), m_template(dialogTemplate) {
    // Every window of the dialog: a client may ask any of them first (a drop-down's own edit too).
    ListenTo(dialog, reinterpret_cast<LPARAM>(this));
    EnumChildWindows(dialog, ListenTo, reinterpret_cast<LPARAM>(this));
}

AccessibleNames::~AccessibleNames() {
    StopListening();
    if (m_service == nullptr) {
        return;
    }
    MSAAPROPID name = PROPID_ACC_NAME;
    for (HWND control : m_named) {
        m_service->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
    }
    m_service->Release();
}

BOOL CALLBACK AccessibleNames::ListenTo(HWND window, LPARAM self) {
    const LONG_PTR next = SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Listen));
    if (next != 0) {
        t_listeners.push_back(
            {window, reinterpret_cast<WNDPROC>(next), reinterpret_cast<AccessibleNames*>(self)});
    }
    return TRUE;
}

LRESULT CALLBACK AccessibleNames::Listen(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto listener = std::find_if(t_listeners.begin(), t_listeners.end(), [window](const Listener& l) {
        return l.window == window;
    });
    if (listener == t_listeners.end()) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    const WNDPROC next = listener->next;
    if (message == WM_NCDESTROY) {
        t_listeners.erase(listener);
    } else if (message == WM_GETOBJECT && listener->names != nullptr) {
        // Given before the client makes the object it asked for, which then carries its name.
        AccessibleNames& names = *listener->names;
        names.StopListening();
        names.NameFields();
    }
    return CallWindowProcW(next, window, message, wParam, lParam);
}

void AccessibleNames::StopListening() {
    std::erase_if(t_listeners, [this](Listener& listener) {
        if (listener.names != this) {
            return false;
        }
        // Only a procedure still in front can be taken out; one that another stands before passes on.
        if (GetWindowLongPtrW(listener.window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Listen)) {
            SetWindowLongPtrW(listener.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listener.next));
            return true;
        }
        listener.names = nullptr;
        return false;
    });
}

void AccessibleNames::NameFields() {
    EnterCom();
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&m_service)))) {
        m_service = nullptr;
        return;
    }
    for (const FormControl& control : m_template.controls) {
        if (const std::string name = AccessibleName(m_template, control); control.id >= 0 && !name.empty()) {
            Name(GetDlgItem(m_dialog, control.id), Wide(name));
        }
    }
}

void AccessibleNames::Name(HWND control, const std::wstring& name) {
    if (control != nullptr &&
        SUCCEEDED(m_service->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                            PROPID_ACC_NAME, name.c_str()))) {
        m_named.push_back(control);
    }
}

} // namespace kvitok
