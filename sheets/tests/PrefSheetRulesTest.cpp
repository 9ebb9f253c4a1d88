#include "sheets/PrefSheetRules.h"

#include "model/EventDoc.h"
#include "model/Group.h"
#include "model/Participant.h"
#include "model/Preferences.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

TEST(PrefSheetRules, DefaultsRoundTripThroughTheDefaultGroupAndParticipant)
{
    testevent::EventBuilder event;
    event.Venue("Hall");
    Preferences prefs;
    prefs.SetAllowTravel(FALSE);
    prefs.SetTravelMinutes(25);
    prefs.SetSkipBuildOptions(TRUE);
    prefs.SetReportFontSize(9);
    prefs.SetSuppressedMessages(0x15);
    prefs.GetGroupEventLimits() = SchedLim(SchedLim::e_range, 0, 2, 4);
    prefs.GetGroupDayLimits() = SchedLim(SchedLim::e_exact, 1, 0, 0);
    prefs.SetGroupRotation(Preferences::e_day_rotation);
    prefs.SetMaxGroupSize(12);
    prefs.GetPartEventLimits() = SchedLim(SchedLim::e_exact, 3, 0, 0);
    prefs.GetPartRosterLim() = RosterLim(SchedLim(SchedLim::e_range, 0, 1, 2));

    PrefGeneralFields fields;
    Group group;
    Participant participant;
    LoadPrefSheet(prefs, fields, group, participant);
    EXPECT_EQ(0u, fields.uAllowTravel);
    EXPECT_EQ(25u, fields.uTravelMinutes);
    EXPECT_EQ(1u, fields.uNoBuildOptions);
    EXPECT_EQ(9u, fields.uFontSize);
    EXPECT_EQ(0u, fields.uReenableMessages);

    // Unchanged, the preferences come back as they were.
    Preferences back = prefs;
    StorePrefSheet(back, fields, group, participant, &event.Doc());
    EXPECT_EQ(prefs.GetGroupEventLimits(), back.GetGroupEventLimits());
    EXPECT_EQ(prefs.GetGroupDayLimits(), back.GetGroupDayLimits());
    EXPECT_EQ(prefs.GetGroupRotation(), back.GetGroupRotation());
    EXPECT_EQ(prefs.GetMaxGroupSize(), back.GetMaxGroupSize());
    EXPECT_EQ(prefs.GetPartEventLimits(), back.GetPartEventLimits());
    EXPECT_EQ(static_cast<const SchedLim&>(prefs.GetPartRosterLim()), static_cast<const SchedLim&>(back.GetPartRosterLim()));
    EXPECT_EQ(0x15u, back.GetSuppressedMessages());

    // What the pages changed in the entities reaches the preferences.
    group.SetMaxGroupSize(30);
    participant.SetDayLimits(SchedLim(SchedLim::e_exact, 2, 0, 0));
    fields.uAllowTravel = 1;
    fields.uTravelMinutes = 40;
    fields.uReenableMessages = 1;
    StorePrefSheet(back, fields, group, participant, &event.Doc());
    EXPECT_EQ(30, back.GetMaxGroupSize());
    EXPECT_EQ(SchedLim(SchedLim::e_exact, 2, 0, 0), back.GetPartDayLimits());
    EXPECT_TRUE(back.GetAllowTravel());
    EXPECT_EQ(40u, back.GetTravelMinutes());
    EXPECT_EQ(0u, back.GetSuppressedMessages());
}

TEST(PrefSheetRules, NumbersAndTheirRanges)
{
    struct {
        const char* p_text;
        UINT u_min, u_max;
        bool b_ok;
        UINT u_value;
    } a_cases[] = {{"1", 1, 1440, true, 1},        {"1440", 1, 1440, true, 1440}, {" 30 ", 1, 1440, true, 30},
                   {"0", 1, 1440, false, 0},       {"2000", 1, 1440, false, 0},   {"", 1, 1440, false, 0},
                   {"12a", 1, 1440, false, 0},     {"3", 4, 24, false, 0},        {"25", 4, 24, false, 0},
                   {"99999999999999999999", 4, 24, false, 0}, {"4", 4, 24, true, 4}};
    for (const auto& c : a_cases) {
        UINT u_value = 0;
        std::string s_error;
        EXPECT_EQ(c.b_ok, ParsePrefNumber(c.p_text, c.u_min, c.u_max, u_value, s_error) != FALSE) << c.p_text;
        if (c.b_ok)
            EXPECT_EQ(c.u_value, u_value);
        else
            EXPECT_EQ("Please enter an integer between " + std::to_string(c.u_min) + " and " + std::to_string(c.u_max) + ".",
                      s_error);
    }

    PrefGeneralFields fields;
    fields.uTravelMinutes = 0;
    fields.uFontSize = 30;
    fields.Clamp();
    EXPECT_EQ(1u, fields.uTravelMinutes);
    EXPECT_EQ(24u, fields.uFontSize);
    fields.uTravelMinutes = 5000;
    fields.uFontSize = 2;
    fields.Clamp();
    EXPECT_EQ(1440u, fields.uTravelMinutes);
    EXPECT_EQ(4u, fields.uFontSize);
}
