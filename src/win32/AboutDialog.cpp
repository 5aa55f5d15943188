#include "AboutDialog.h"

#include "DialogBuilder.h"
#include "TextBridge.h"

namespace kvitok {

namespace {

INT_PTR CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
    case WM_INITDIALOG:
        DressDialog(window, AboutDialogTemplate());
        FitTexts(window, AboutDialogTemplate());
        NameControls(window, AboutDialogTemplate());
        SetDlgItemTextW(window, ControlId::PlatformLine, L"для Windows");
        SetFocus(GetDlgItem(window, IDOK));
        return FALSE; // the focus is set
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(window, LOWORD(wParam));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

} // namespace

void ShowAboutDialog(HWND owner) {
    const DialogBuilder buffer(AboutDialogTemplate(),
                               WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 0);
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), buffer.Get(), owner, AboutProc, 0);
}

} // namespace kvitok
