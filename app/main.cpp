#include "framework/CrashReport.h"
#include "framework/FileIO.h"
#include "app/InstallSheets.h"
#include "app/InstallViews.h"
#include "shell/frame/RotavexApp.h"

#include <wx/init.h>

wxIMPLEMENT_APP_NO_MAIN(CRotavexApp);

int main(int argc, char** argv)
{
    // Crashes are reported from the first moment on, before the
    // application object exists.
    InstallCrashReporter();
    // A save past the file-size limit fails with a message, not the process.
    IgnoreFileSizeSignal();
    // The program is the application with its panes, its dialogs and its
    // editing sheets.
    CRotavexApp::AddInstaller(&InstallViews);
    CRotavexApp::AddInstaller(&InstallSheets);
    const int i_exit = wxEntry(argc, argv);
    RemoveCrashReporter();
    return i_exit;
}
