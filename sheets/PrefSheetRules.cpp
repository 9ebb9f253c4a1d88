#include "sheets/PrefSheetRules.h"

#include "model/EventDoc.h"
#include "model/Group.h"
#include "model/Participant.h"
#include "model/Preferences.h"
#include "sheets/SheetRules.h"

#include <cctype>
#include <cstdint>

void PrefGeneralFields::Clamp()
{
    if (uTravelMinutes < kMinTravel)
        uTravelMinutes = kMinTravel;
    if (uTravelMinutes > kMaxTravel)
        uTravelMinutes = kMaxTravel;
    if (uFontSize < kMinFont)
        uFontSize = kMinFont;
    if (uFontSize > kMaxFont)
        uFontSize = kMaxFont;
}

void LoadPrefSheet(const Preferences& prefs, PrefGeneralFields& fields, Group& group, Participant& participant)
{
    fields.uAllowTravel = prefs.GetAllowTravel() ? 1 : 0;
    fields.uTravelMinutes = prefs.GetTravelMinutes();
    fields.uNoBuildOptions = prefs.GetSkipBuildOptions() ? 1 : 0;
    fields.uFontSize = prefs.GetReportFontSize();
    fields.uReenableMessages = 0;
    group.ApplyDefaults(prefs);
    participant.ApplyDefaults(prefs);
}

void StorePrefSheet(Preferences& prefs, const PrefGeneralFields& fields, const Group& group,
                    const Participant& participant, const EventDoc* p_doc)
{
    prefs.SetAllowTravel(fields.uAllowTravel ? TRUE : FALSE);
    prefs.SetTravelMinutes(fields.uTravelMinutes);
    prefs.SetSkipBuildOptions(fields.uNoBuildOptions ? TRUE : FALSE);
    prefs.SetReportFontSize(fields.uFontSize);

    prefs.GetGroupEventLimits() = group.GetStoredEventLimits();
    prefs.GetGroupDayLimits() = group.GetDayLimits();
    prefs.GetGroupVenueLimits() = group.GetVenueLimits();
    prefs.SetGroupUsesVenueLimits(group.GetUseVenueLimits());
    prefs.GetGroupVenueAllocs() = group.GetVenueAllocs();
    prefs.SetGroupRotation(group.GetRotation());
    prefs.SetMaxGroupSize(group.GetMaxGroupSize());

    prefs.GetPartEventLimits() = participant.GetStoredEventLimits();
    prefs.GetPartDayLimits() = participant.GetDayLimits();
    prefs.GetPartVenueLimits() = participant.GetVenueLimits();
    prefs.SetPartUsesVenueLimits(participant.GetUseVenueLimits());
    prefs.GetPartRosterLim() = participant.GetRosterLim(p_doc);

    if (fields.uReenableMessages)
        prefs.ResetOptionFlag();
}

BOOL ParsePrefNumber(const std::string& s_text, UINT u_min, UINT u_max, UINT& u_value, std::string& s_error)
{
    const std::optional<std::uint64_t> u_read = ReadBoxNumber(s_text, u_max);
    if (!u_read || *u_read < u_min || *u_read > u_max) {
        s_error = BoxRangeMessage(u_min, u_max);
        return FALSE;
    }
    u_value = static_cast<UINT>(*u_read);
    return TRUE;
}
