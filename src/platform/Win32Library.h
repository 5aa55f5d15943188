#pragma once

#include <windows.h>

namespace kvitok {

// A library of the Windows system folder, loaded from there alone and with what it needs from
// there first: a file of the same name in the working folder is never loaded. nullptr when the
// system has none.
HMODULE LoadSystemLibrary(const wchar_t* name);

} // namespace kvitok
