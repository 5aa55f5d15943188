#include "Emblem.h"

#include "Resources.h"

namespace kvitok {

void DrawEmblem(const DRAWITEMSTRUCT& item) {
    const RECT& r = item.rcItem;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const auto emblem =
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(KVITOK_EMBLEM), IMAGE_ICON,
                                      width, height, LR_DEFAULTCOLOR));
    if (emblem != nullptr) {
        DrawIconEx(item.hDC, r.left, r.top, emblem, width, height, 0, nullptr, DI_NORMAL);
        DestroyIcon(emblem);
    }
}

HICON LoadProgramIcon(int side) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(KVITOK_ICON), IMAGE_ICON,
                                         side, side, LR_DEFAULTCOLOR));
}

} // namespace kvitok
