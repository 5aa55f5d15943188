#include "KvitokApp.h"
#include "Win32Platform.h"
#include "form/PayerFileLocation.h"
#include "platform/PathText.h"
#include "platform/UserProfile.h"

#include <windows.h>

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    // COM is entered only by what needs it (the save dialog, the shell, the screen-reader
    // names) and left here, after the window is gone.
    const kvitok::ComScope com;
    INITCOMMONCONTROLSEX controls {sizeof controls, ICC_STANDARD_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    kvitok::KvitokApp app(kvitok::PathToUtf8(kvitok::PayerFilePath()), kvitok::UserProfile::DefaultPath());
    if (app.Start()) {
        app.Run();
    }
    return 0;
}
