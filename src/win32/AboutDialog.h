#pragma once

#include <windows.h>

namespace kvitok {

// The about box: the program's version, its build stamp and the notice to check with the fund
// that the version is current. Modal over `owner` (nullptr: a window of its own).
void ShowAboutDialog(HWND owner);

} // namespace kvitok
