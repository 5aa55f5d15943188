#include "TypingFilter.h"

#include "WideText.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace kvitok {

namespace {

constexpr UINT_PTR kFilterId = 1;

bool Acceptable(wchar_t c, bool digitsOnly) {
    return digitsOnly ? (c >= L'0' && c <= L'9') : FitsCp1251(c);
}

std::wstring ClipboardText(HWND window) {
    std::wstring text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(window)) {
        return text;
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

LRESULT CALLBACK FilterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                            DWORD_PTR digitsOnly) {
    switch (message) {
    case WM_CHAR:
        // Control characters (Backspace, Ctrl+C, ...) are commands, not text.
        if (wParam >= 0x20 && !Acceptable(static_cast<wchar_t>(wParam), digitsOnly != 0)) {
            MessageBeep(MB_OK);
            return 0;
        }
        break;
    case WM_PASTE: {
        const std::wstring text = ClipboardText(window);
        // A single-line edit takes the clipboard up to its first line break.
        const std::wstring line = text.substr(0, text.find_first_of(L"\r\n"));
        if (!std::all_of(line.begin(), line.end(), [&](wchar_t c) {
                return Acceptable(c, digitsOnly != 0);
            })) {
            MessageBeep(MB_OK);
            return 0;
        }
        break;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, FilterProc, kFilterId);
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

void FilterTyping(HWND edit, bool digitsOnly) {
    SetWindowSubclass(edit, FilterProc, kFilterId, digitsOnly ? 1 : 0);
}

} // namespace kvitok
