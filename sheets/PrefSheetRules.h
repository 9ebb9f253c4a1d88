// The preferences sheet without a window: the General page's fields with
// their ranges, and the road of the preferences through the sheet's
// default group and participant, which the group and participant pages
// edit in their preferences mode.
#pragma once

#include "framework/Types.h"

#include <string>

class EventDoc;
class Group;
class Participant;
class Preferences;

struct PrefGeneralFields {
    enum : UINT { kMinTravel = 1, kMaxTravel = 1440, kMinFont = 4, kMaxFont = 24 };

    UINT uAllowTravel = 1;
    UINT uTravelMinutes = 5;
    UINT uNoBuildOptions = 0;
    UINT uReenableMessages = 0;
    UINT uFontSize = 6;

    // Brought into range: minutes 0 become 1, above 1440 1440; a font
    // size below 4 becomes 4, above 24 24.
    void Clamp();
};

// A number field of the General page: digits (blanks around them allowed)
// within the range; else FALSE with the standard range message.
BOOL ParsePrefNumber(const std::string& s_text, UINT u_min, UINT u_max, UINT& u_value, std::string& s_error);

// Before the sheet runs: the general fields from the preferences (the
// re-enable check clear) and the defaults into the default group and
// participant.
void LoadPrefSheet(const Preferences& prefs, PrefGeneralFields& fields, Group& group, Participant& participant);
// After it ran, whatever the result: the fields and the defaults back into
// the preferences; the re-enable check clears the record of messages not
// to be shown again.
void StorePrefSheet(Preferences& prefs, const PrefGeneralFields& fields, const Group& group,
                    const Participant& participant, const EventDoc* p_doc);
