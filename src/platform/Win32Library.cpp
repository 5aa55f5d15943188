#include "Win32Library.h"

#include <string>

namespace kvitok {

HMODULE LoadSystemLibrary(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    const std::wstring path = std::wstring(folder, length) + L'\\' + name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

FARPROC SystemProcAddress(const wchar_t* library, const char* name) {
    // Never freed: the library stays for the run.
    HMODULE module = LoadSystemLibrary(library);
    return module == nullptr ? nullptr : GetProcAddress(module, name);
}

} // namespace kvitok
