#include "sheets/InstallSheets.h"

#include "sheets/ParticipantSheetPort.h"

void InstallSheets()
{
    // Each sheet's installer is called here.
    InstallParticipantSheetPort();
}
