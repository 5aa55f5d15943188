// The yardstick for kvitok's start on Windows: a plain Win32 dialog with as many controls of the same
// kinds as kvitok's form, made from a template in memory in the same font and styles, before a small
// about box is shown modally; then the form is shown. Nothing else: no icon, no profile, no payer
// file, no COM. Built with kvitok's manifest; bench/win32-start.sh runs both under Wine and compares.
#include <windows.h>

#include <commctrl.h>

#include <initializer_list>
#include <string_view>
#include <vector>

namespace {

constexpr WORD kButton = 0x0080;
constexpr WORD kEdit = 0x0081;
constexpr WORD kStatic = 0x0082;
constexpr WORD kComboBox = 0x0085;

// A DLGTEMPLATEEX: the header, then one item at a time.
class Template {
public:
    Template(std::wstring_view title, DWORD style, DWORD exStyle, short width, short height) {
        Words({1, 0xFFFF});
        Dword(0);
        Dword(exStyle);
        Dword(style | DS_SETFONT);
        m_countAt = m_words.size();
        Words({0, 0, 0, static_cast<WORD>(width), static_cast<WORD>(height), 0, 0});
        Text(title);
        Words({8, FW_NORMAL, MAKEWORD(FALSE, DEFAULT_CHARSET)});
        Text(L"MS Shell Dlg");
    }

    // `atom` 0: the date picker's class.
    void Add(WORD atom, DWORD style, DWORD exStyle, int id, std::wstring_view text, short x, short y,
             short width, short height) {
        if (m_words.size() % 2 != 0) {
            m_words.push_back(0);
        }
        Dword(0);
        Dword(exStyle);
        Dword(WS_CHILD | WS_VISIBLE | style);
        Words({static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(width),
               static_cast<WORD>(height)});
        Dword(static_cast<DWORD>(id));
        if (atom != 0) {
            Words({0xFFFF, atom});
        } else {
            Text(DATETIMEPICK_CLASSW);
        }
        Text(text);
        m_words.push_back(0);
        ++m_words[m_countAt];
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Words(std::initializer_list<WORD> words) { m_words.insert(m_words.end(), words); }
    void Dword(DWORD value) { Words({LOWORD(value), HIWORD(value)}); }
    void Text(std::wstring_view text) {
        m_words.insert(m_words.end(), text.begin(), text.end());
        m_words.push_back(0);
    }

    std::vector<WORD> m_words;
    std::size_t m_countAt = 0;
};

// Controls in columns of 20 rows, one id each from 100 on.
struct Placer {
    Template& dialog;
    int index = 0;
    void Add(WORD atom, DWORD style, DWORD exStyle, std::wstring_view text, short height = 12) {
        dialog.Add(atom, style, exStyle, 100 + index, text, static_cast<short>(4 + (index / 20) * 116),
                   static_cast<short>(70 + (index % 20) * 14), 110, height);
        ++index;
    }
};

// 1 picture, 21 labels, 14 buttons, 10 edits, 6 drop-down lists (one editable), 2 date pickers.
Template FormTemplate() {
    Template form(L"bare",
                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_3DLOOK | DS_CENTER,
                  WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, 351, 360);
    form.Add(kStatic, SS_OWNERDRAW, 0, -1, L"", 8, 0, 67, 64);
    Placer place {form};
    for (int i = 0; i < 21; ++i) {
        place.Add(kStatic, SS_LEFT | SS_NOPREFIX, 0, L"Метка");
    }
    for (int i = 0; i < 14; ++i) {
        place.Add(kButton, BS_PUSHBUTTON | WS_TABSTOP, 0, L"Кнопка");
    }
    for (int i = 0; i < 10; ++i) {
        place.Add(kEdit, ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, L"");
    }
    for (int i = 0; i < 6; ++i) {
        place.Add(kComboBox,
                  (i == 0 ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST) | WS_VSCROLL | WS_TABSTOP, 0,
                  L"", 80);
    }
    for (int i = 0; i < 2; ++i) {
        place.Add(0, DTS_RIGHTALIGN | DTS_SHORTDATEFORMAT | WS_TABSTOP, 0, L"");
    }
    return form;
}

Template AboutTemplate() {
    Template about(L"О программе bare", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 0,
                   154, 199);
    about.Add(kStatic, SS_OWNERDRAW, 0, -1, L"", 43, 7, 67, 64);
    for (short i = 0; i < 5; ++i) {
        about.Add(kStatic, SS_LEFT | SS_NOPREFIX, 0, -1, L"Текст", 7, static_cast<short>(74 + i * 16), 140,
                  14);
    }
    about.Add(kEdit, ES_LEFT | ES_AUTOHSCROLL | ES_READONLY, 0, 200, L"" __DATE__, 55, 163, 74, 12);
    about.Add(kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, IDOK, L"OK", 51, 178, 50, 14);
    return about;
}

void FillPicture(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_HIGHLIGHT));
}

INT_PTR CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_DRAWITEM:
        FillPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(window, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        for (int id = 145; id < 151; ++id) {
            for (const wchar_t* row : {L"один", L"два"}) {
                SendDlgItemMessageW(window, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
            }
        }
        // As kvitok's form does: the about box while the form is still hidden.
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), AboutTemplate().Get(), nullptr, AboutProc, 0);
        return TRUE;
    case WM_DRAWITEM:
        FillPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(window);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    INITCOMMONCONTROLSEX controls {sizeof controls, ICC_STANDARD_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    HWND form = CreateDialogIndirectParamW(instance, FormTemplate().Get(), nullptr, FormProc, 0);
    if (form == nullptr) {
        return 1;
    }
    ShowWindow(form, SW_SHOW);
    SetForegroundWindow(form);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(form, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}
