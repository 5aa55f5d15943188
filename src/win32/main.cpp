#include "KvitokApp.h"
#include "Win32Platform.h"
#include "form/UserFiles.h"
#include "platform/PathText.h"

#include <windows.h>

#include <commctrl.h>

#include <utility>

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    // COM is entered only by what needs it (the save dialog, the shell, the screen-reader
    // names) and left here, after the window is gone.
    const kvitok::ComScope com;
    INITCOMMONCONTROLSEX controls {sizeof controls, ICC_STANDARD_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    kvitok::UserFiles files = kvitok::UserFiles::Choose(kvitok::UserFileRoots::OfThisSystem());
    kvitok::KvitokApp app(kvitok::PathToUtf8(files.payers), files.profile, std::move(files.notes));
    if (app.Start()) {
        app.Run();
    }
    return 0;
}
