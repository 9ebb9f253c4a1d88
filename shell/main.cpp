#include "shell/RotavexApp.h"

wxIMPLEMENT_APP(CRotavexApp);
