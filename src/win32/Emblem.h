#pragma once

#include <windows.h>

namespace kvitok {

// Draws the emblem into an owner-drawn static of a dialog, at the control's own size: the
// emblem resource holds it at several sizes with transparency, so it stays sharp at any scale.
void DrawEmblem(const DRAWITEMSTRUCT& item);

// The program's icon at a size, owned by the caller (DestroyIcon).
HICON LoadProgramIcon(int side);

} // namespace kvitok
