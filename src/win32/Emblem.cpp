#include "Emblem.h"

#include "Resources.h"

#include <commctrl.h>

namespace kvitok {

namespace {

LRESULT CALLBACK PaintEmblem(HWND picture, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                             DWORD_PTR /*data*/) {
    if (message != WM_PAINT) {
        return DefSubclassProc(picture, message, wParam, lParam);
    }
    PAINTSTRUCT paint {};
    HDC dc = BeginPaint(picture, &paint);
    RECT r {};
    GetClientRect(picture, &r);
    const auto emblem =
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(KVITOK_EMBLEM), IMAGE_ICON,
                                      r.right, r.bottom, LR_DEFAULTCOLOR));
    if (emblem != nullptr) {
        DrawIconEx(dc, 0, 0, emblem, r.right, r.bottom, 0, nullptr, DI_NORMAL);
        DestroyIcon(emblem);
    }
    EndPaint(picture, &paint);
    return 0;
}

} // namespace

void ShowEmblemIn(HWND picture) {
    SetWindowSubclass(picture, PaintEmblem, 1, 0);
}

HICON LoadProgramIcon(int side) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(KVITOK_ICON), IMAGE_ICON,
                                         side, side, LR_DEFAULTCOLOR));
}

} // namespace kvitok
