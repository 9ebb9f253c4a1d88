#include "sheets/InstallSheets.h"

#include "sheets/DefineEventSheet.h"

void InstallSheets()
{
    // Each sheet's installer is called here.
    InstallDefineEventSheet();
}
