#include "sheets/InstallSheets.h"
#include "shell/RotavexApp.h"

namespace {

// The program is the application with its editing sheets.
const bool g_bSheets = (CRotavexApp::AddInstaller(&InstallSheets), true);

} // namespace

wxIMPLEMENT_APP(CRotavexApp);
