#include "sheets/InstallSheets.h"

#include "sheets/DefineEventSheet.h"
#include "sheets/GroupSheetPort.h"

void InstallSheets()
{
    // Each sheet's installer is called here.
    InstallDefineEventSheet();
    InstallGroupSheetPort();
}
