#include "RefusalTip.h"

#include <commctrl.h>

namespace kvitok {

namespace {

constexpr UINT_PTR kTool = 1;
constexpr UINT_PTR kHideTimer = 1;
constexpr UINT kShownFor = 6000; // ms: time to read two lines
constexpr int kMostWidth = 360;  // px before the text wraps

TOOLINFOW Tool(HWND owner, wchar_t* text) {
    TOOLINFOW tool {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = owner;
    tool.uId = kTool;
    tool.lpszText = text;
    return tool;
}

} // namespace

RefusalTip::~RefusalTip() {
    if (m_tip != nullptr) {
        DestroyWindow(m_tip);
    }
}

void RefusalTip::Show(HWND field, const std::wstring& title, const std::wstring& text) {
    HWND owner = GetAncestor(field, GA_ROOT);
    if (m_tip == nullptr || m_owner != owner) {
        if (m_tip != nullptr) {
            DestroyWindow(m_tip);
        }
        m_owner = owner;
        m_tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | TTS_BALLOON, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        if (m_tip == nullptr) {
            MessageBeep(MB_ICONWARNING); // nothing else is left to tell with
            return;
        }
        TOOLINFOW tool = Tool(m_owner, nullptr);
        SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageW(m_tip, TTM_SETMAXTIPWIDTH, 0, kMostWidth);
    }
    m_text = text;
    TOOLINFOW tool = Tool(m_owner, m_text.data());
    SendMessageW(m_tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(m_tip, TTM_SETTITLEW, TTI_ERROR, reinterpret_cast<LPARAM>(title.c_str()));
    RECT place {};
    GetWindowRect(field, &place);
    SendMessageW(m_tip, TTM_TRACKPOSITION, 0,
                 MAKELPARAM(place.left + (place.bottom - place.top) / 2, place.bottom));
    SendMessageW(m_tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    SetTimer(m_tip, kHideTimer, kShownFor, HideLater);
}

void RefusalTip::Hide() {
    if (Visible()) {
        TOOLINFOW tool = Tool(m_owner, nullptr);
        SendMessageW(m_tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
        KillTimer(m_tip, kHideTimer);
    }
}

bool RefusalTip::Visible() const {
    return m_tip != nullptr && IsWindowVisible(m_tip);
}

void CALLBACK RefusalTip::HideLater(HWND tip, UINT /*message*/, UINT_PTR timer, DWORD /*time*/) {
    KillTimer(tip, timer);
    TOOLINFOW tool = Tool(GetWindow(tip, GW_OWNER), nullptr);
    SendMessageW(tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

} // namespace kvitok
