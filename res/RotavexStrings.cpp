#include "res/RotavexStrings.h"
#include "framework/Resources.h"

namespace {
// One file of texts per area of the program, so that areas grow their
// texts side by side.
const StringEntry a_strings[] = {
#include "res/strings/shell.inc"
#include "res/strings/general.inc"
#include "res/strings/values.inc"
#include "res/strings/days.inc"
#include "res/strings/timetable.inc"
#include "res/strings/entities.inc"
#include "res/strings/rules.inc"
#include "res/strings/document.inc"
#include "res/strings/engine.inc"
#include "res/strings/roster.inc"
#include "res/strings/lists.inc"
#include "res/strings/output.inc"
#include "res/strings/defineevent.inc"
#include "res/strings/groupview.inc"
#include "res/strings/participantsheet.inc"
#include "res/strings/venuesheet.inc"
#include "res/strings/pages.inc"
#include "res/strings/groupsheet.inc"
};
}

CResourceModule& RotavexResourceModule()
{
    static auto* p_module = new CResourceModule("rotavex", a_strings);
    return *p_module;
}

void JoinRotavexResources()
{
    ResourceChain::Add(&RotavexResourceModule(), true);
}
