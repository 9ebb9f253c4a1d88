#include "sheets/InstallSheets.h"

#include "sheets/VenuePSheet.h"

void InstallSheets()
{
    // Each sheet's installer is called here.
    InstallVenueSheet();
}
