#include "sheets/InstallSheets.h"

void InstallSheets()
{
    // Each sheet's installer is called here.
}
