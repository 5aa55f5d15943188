// Every label, button and read-only text of both dialogs shows whole, in the font the dialog
// really uses at the screen's DPI; CTest runs this at 96, 120, 144 and 192 DPI.
#include "form/FakePlatform.h"
#include "form/MainDialog.h"
#include "win32/AboutDialog.h"
#include "win32/MainWindow.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace kvitok::testing {
namespace {

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string Utf8(const std::wstring& text) {
    std::string utf8(text.size() * 3, '\0');
    utf8.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(),
                            static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

// The texts of a dialog's labels, buttons and read-only edits that their controls cut, measured
// as the controls draw them: a label word-wrapped within its client area, a button's caption
// within its frame, an edit's text within its formatting rectangle.
std::vector<std::string> CutTexts(HWND dialog) {
    std::vector<std::string> cut;
    HDC dc = GetDC(dialog);
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        const std::wstring text = TextOf(control);
        const std::wstring kind = ClassOf(control);
        const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
        const bool label = lstrcmpiW(kind.c_str(), L"Static") == 0 && (style & SS_TYPEMASK) != SS_OWNERDRAW;
        const bool button = lstrcmpiW(kind.c_str(), L"Button") == 0;
        const bool readOnly = lstrcmpiW(kind.c_str(), L"Edit") == 0 && (style & ES_READONLY) != 0;
        if (text.empty() || !(label || button || readOnly)) {
            continue;
        }
        const HGDIOBJ font =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
        RECT room {};
        GetClientRect(control, &room);
        if (button) {
            InflateRect(&room, -2 * GetSystemMetrics(SM_CXEDGE), 0);
        } else if (readOnly) {
            SendMessageW(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
        }
        RECT needed {0, 0, room.right - room.left, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
                  DT_CALCRECT | DT_NOPREFIX | (label ? DT_WORDBREAK : DT_SINGLELINE));
        if (needed.right > room.right - room.left || needed.bottom > room.bottom - room.top) {
            cut.push_back(Utf8(text) + " needs " + std::to_string(needed.right) + "x" +
                          std::to_string(needed.bottom) + ", has " + std::to_string(room.right - room.left) +
                          "x" + std::to_string(room.bottom - room.top));
        }
        SelectObject(dc, font);
    }
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(dialog, dc);
    for (std::string& text : cut) {
        text += " at " + std::to_string(dpi) + " DPI";
    }
    return cut;
}

TEST(Win32Dialogs, EveryTextShowsWhole) {
    const INITCOMMONCONTROLSEX controls {sizeof controls, ICC_STANDARD_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    FakePlatform platform;
    MainDialog dialog(platform.Services(), ":memory:");
    MainWindow window(dialog);
    ASSERT_TRUE(window.Create());
    window.Start();
    EXPECT_EQ(CutTexts(window.Handle()), std::vector<std::string>());

    // The about box is modal: it is looked at, and closed, from a timer of its own loop.
    static std::vector<std::string> aboutCut;
    static bool aboutSeen = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND about = GetActiveWindow();
        if (about == nullptr || aboutSeen) {
            return;
        }
        aboutSeen = true;
        aboutCut = CutTexts(about);
        PostMessageW(about, WM_COMMAND, IDOK, 0);
    });
    ShowAboutDialog(nullptr);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(aboutSeen);
    EXPECT_EQ(aboutCut, std::vector<std::string>());
}

} // namespace
} // namespace kvitok::testing
