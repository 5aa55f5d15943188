#include "KvitokApp.h"
#include "form/PayerFileLocation.h"
#include "platform/PathText.h"
#include "platform/UserProfile.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    // The save dialog, the shell and the screen-reader names want COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls {sizeof controls, ICC_STANDARD_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    {
        kvitok::KvitokApp app(kvitok::PathToUtf8(kvitok::PayerFilePath()),
                              kvitok::UserProfile::DefaultPath());
        if (app.Start()) {
            app.Run();
        }
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return 0;
}
