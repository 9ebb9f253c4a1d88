#include "sheets/PrefSheetRules.h"

#include "model/EventDoc.h"
#include "model/Group.h"
#include "model/Participant.h"
#include "model/Preferences.h"

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
    std::size_t i_begin = 0;
    std::size_t i_end = s_text.size();
    while (i_begin < i_end && std::isspace(static_cast<unsigned char>(s_text[i_begin])))
        ++i_begin;
    while (i_end > i_begin && std::isspace(static_cast<unsigned char>(s_text[i_end - 1])))
        --i_end;
    bool b_number = i_begin < i_end;
    std::uint64_t u_read = 0;
    for (std::size_t i = i_begin; b_number && i < i_end; ++i) {
        const char c = s_text[i];
        if (c < '0' || c > '9')
            b_number = false;
        else if (u_read <= u_max)
            u_read = u_read * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (!b_number || u_read < u_min || u_read > u_max) {
        s_error = "Please enter an integer between " + std::to_string(u_min) + " and " + std::to_string(u_max) + ".";
        return FALSE;
    }
    u_value = static_cast<UINT>(u_read);
    return TRUE;
}
