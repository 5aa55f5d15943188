#pragma once

#include <windows.h>

namespace kvitok {

// The one place Windows libraries are loaded: from the system folder alone, with what they need
// from there first, so that a file of the same name in the working folder is never loaded.

// The library, loaded for the caller to free (FreeLibrary); nullptr when the system has none.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A function of a library that is loaded when first asked for and stays loaded for the run (the
// save dialog's, the shell's and the screen reader's libraries bring many more with them, under
// Wine the printing system too, so they are not loaded at every start); nullptr when the system
// lacks either.
FARPROC SystemProcAddress(const wchar_t* library, const char* name);
template <typename Function>
Function* SystemFunction(const wchar_t* library, const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(SystemProcAddress(library, name)));
}

} // namespace kvitok
