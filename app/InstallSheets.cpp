#include "app/InstallSheets.h"

#include "sheets/DefineEventSheet.h"
#include "sheets/GroupSheetPort.h"
#include "sheets/PrefPSheet.h"
#include "sheets/SchedulingRulesPSheet.h"
#include "sheets/VenuePSheet.h"
#include "sheets/ParticipantSheetPort.h"

void InstallSheets()
{
    // Each sheet's installer is called here.
    InstallDefineEventSheet();
    InstallGroupSheetPort();
    InstallVenueSheet();
    InstallParticipantSheetPort();
    InstallSchedulingRulesSheet();
    InstallPreferencesSheet();
}
