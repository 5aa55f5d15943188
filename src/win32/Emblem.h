#pragma once

#include <windows.h>

namespace kvitok {

// Makes a dialog's picture control draw the emblem itself, at the control's own size: the emblem
// resource holds it at several sizes with transparency, so it stays sharp at any scale.
void ShowEmblemIn(HWND picture);

// The program's icon at a size, owned by the caller (DestroyIcon).
HICON LoadProgramIcon(int side);

} // namespace kvitok
