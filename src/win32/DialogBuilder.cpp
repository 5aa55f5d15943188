#include "DialogBuilder.h"

#include "AccessibleNames.h"
#include "Emblem.h"
#include "TextBridge.h"
#include "form/DialogUnits.h"

#include <commctrl.h>

namespace kvitok {

namespace {

// The predefined window classes by their atoms, as a resource compiler writes them.
constexpr WORD kButton = 0x0080;
constexpr WORD kEdit = 0x0081;
constexpr WORD kStatic = 0x0082;
constexpr WORD kComboBox = 0x0085;

struct ItemStyle {
    WORD atom; // 0: named class
    DWORD style;
    DWORD exStyle = 0;
};

ItemStyle StyleOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Picture:
        return {kStatic, SS_LEFT}; // it draws the emblem itself (DressDialog)
    case ControlKind::Static:
        return {kStatic, SS_LEFT | SS_NOPREFIX};
    case ControlKind::CentredStatic:
        return {kStatic, SS_CENTER | SS_NOPREFIX};
    case ControlKind::Button:
        return {kButton, BS_PUSHBUTTON | WS_TABSTOP};
    case ControlKind::DefaultButton:
        return {kButton, BS_DEFPUSHBUTTON | WS_TABSTOP};
    case ControlKind::Edit:
        return {kEdit, ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::BorderlessEdit:
        return {kEdit, ES_LEFT | ES_AUTOHSCROLL | ES_READONLY};
    case ControlKind::DropDownList:
        return {kComboBox, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::EditableDropDown:
        return {kComboBox, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::DatePicker:
        return {0, DTS_RIGHTALIGN | DTS_SHORTDATEFORMAT | WS_TABSTOP};
    }
    return {kStatic, 0};
}

} // namespace

DialogBuilder::DialogBuilder(const DialogTemplate& dialog, DWORD style, DWORD exStyle) {
    Word(1);      // dlgVer
    Word(0xFFFF); // signature: the extended form
    Dword(0);     // helpID
    Dword(exStyle);
    // "MS Shell Dlg" without DS_FIXEDSYS is the narrower Microsoft Sans Serif the layout was
    // made for; with it the system would take the wider Tahoma and cut the longer labels.
    Dword(style | DS_SETFONT);
    Word(static_cast<WORD>(dialog.controls.size()));
    Word(0); // x and y: DS_CENTER places it
    Word(0);
    Word(static_cast<WORD>(dialog.width));
    Word(static_cast<WORD>(dialog.height));
    Word(0); // no menu
    Word(0); // the dialog's own class
    Text(Wide(dialog.title));
    Word(8); // point size
    Word(FW_NORMAL);
    Word(MAKEWORD(FALSE, DEFAULT_CHARSET)); // italic, character set
    Text(L"MS Shell Dlg");
    for (const FormControl& control : dialog.controls) {
        Control(control);
    }
}

const DLGTEMPLATE* DialogBuilder::Get() const {
    return reinterpret_cast<const DLGTEMPLATE*>(m_words.data());
}

void DialogBuilder::Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
}

void DialogBuilder::Text(std::wstring_view text) {
    m_words.insert(m_words.end(), text.begin(), text.end());
    Word(0);
}

void DialogBuilder::AlignToDword() {
    if (m_words.size() % 2 != 0) {
        Word(0);
    }
}

void DialogBuilder::Control(const FormControl& control) {
    const ItemStyle item = StyleOf(control.kind);
    AlignToDword();
    Dword(0); // helpID
    Dword(item.exStyle);
    Dword(WS_CHILD | WS_VISIBLE | item.style);
    Word(static_cast<WORD>(control.rect.x));
    Word(static_cast<WORD>(control.rect.y));
    Word(static_cast<WORD>(control.rect.width));
    Word(static_cast<WORD>(control.rect.height));
    Dword(static_cast<DWORD>(control.id)); // -1 is the usual id of controls nobody addresses
    if (item.atom != 0) {
        Word(0xFFFF);
        Word(item.atom);
    } else {
        Text(DATETIMEPICK_CLASSW);
    }
    Text(Wide(control.text));
    Word(0); // no creation data
}

void FitTexts(HWND dialog, const DialogTemplate& dialogTemplate) {
    HDC dc = GetDC(dialog);
    const HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    // The dialog manager's own measure of the font: the 52 Latin letters and the line height.
    SIZE letters {};
    GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    TEXTMETRICW metrics {};
    GetTextMetricsW(dc, &metrics);
    DialogUnits units(letters.cx, metrics.tmHeight);
    const bool widened =
        units.WidenUntilTextsFit(dialogTemplate, [&](const FormControl& control, const PixelRect& rect) {
            const bool label =
                control.kind == ControlKind::Static || control.kind == ControlKind::CentredStatic;
            // A button's frame takes about a character's width; an edit has its own margins and
            // room for the caret.
            int margins = label ? 0 : metrics.tmAveCharWidth;
            if (control.kind == ControlKind::BorderlessEdit) {
                const auto both =
                    static_cast<DWORD>(SendDlgItemMessageW(dialog, control.id, EM_GETMARGINS, 0, 0));
                margins = LOWORD(both) + HIWORD(both) + 2;
            }
            RECT needed {0, 0, rect.width - margins, rect.height};
            const std::wstring text = Wide(control.text);
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
                      DT_CALCRECT | DT_NOPREFIX | (label ? DT_WORDBREAK : DT_SINGLELINE));
            return needed.right + margins <= rect.width && needed.bottom <= rect.height;
        });
    SelectObject(dc, oldFont);
    ReleaseDC(dialog, dc);
    if (!widened) {
        return;
    }
    // The controls are the dialog's children in the template's order.
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const FormControl& control : dialogTemplate.controls) {
        if (child == nullptr) {
            break;
        }
        // A drop-down's window is as high as its open list.
        const PixelRect r =
            units.ToPixels(control.rect.x, control.rect.y, control.rect.width, control.rect.height);
        SetWindowPos(child, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    // The dialog grows by as much, about its centre.
    RECT client {};
    GetClientRect(dialog, &client);
    const PixelRect wanted = units.ToPixels(0, 0, dialogTemplate.width, dialogTemplate.height);
    RECT frame {0, 0, wanted.width, client.bottom};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    RECT placed {};
    GetWindowRect(dialog, &placed);
    const int grown = (frame.right - frame.left) - (placed.right - placed.left);
    SetWindowPos(dialog, nullptr, placed.left - grown / 2, placed.top, frame.right - frame.left,
                 placed.bottom - placed.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

// The names live as long as the dialog: they go with it, while its children are still there.
LRESULT CALLBACK KeepNames(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                           DWORD_PTR names) {
    if (message == WM_DESTROY) {
        RemoveWindowSubclass(dialog, KeepNames, id);
        delete reinterpret_cast<AccessibleNames*>(names);
    }
    return DefSubclassProc(dialog, message, wParam, lParam);
}

} // namespace

void DressDialog(HWND dialog, const DialogTemplate& dialogTemplate) {
    const std::wstring dateFormat = Wide(kDatePickerFormat);
    for (const FormControl& control : dialogTemplate.controls) {
        if (IsDatePicker(control.kind)) {
            SendDlgItemMessageW(dialog, control.id, DTM_SETFORMATW, 0,
                                reinterpret_cast<LPARAM>(dateFormat.c_str()));
        }
    }
    // The picture has no id: it is the child at its place in the template.
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const FormControl& control : dialogTemplate.controls) {
        if (child != nullptr && control.kind == ControlKind::Picture) {
            ShowEmblemIn(child);
        }
        child = child == nullptr ? nullptr : GetWindow(child, GW_HWNDNEXT);
    }
}

void NameControls(HWND dialog, const DialogTemplate& dialogTemplate) {
    SetWindowSubclass(dialog, KeepNames, 1,
                      reinterpret_cast<DWORD_PTR>(new AccessibleNames(dialog, dialogTemplate)));
}

} // namespace kvitok
