// The event document: owns the whole event while it is open.
//
// The document is a core class without any user interface; what it needs
// of the user (questions, sheets, views) it reaches through ports. It grows
// with the model: each part of the event is added as a member with its
// accessors when its class exists.
#pragma once

#include "framework/Document.h"
#include "framework/Types.h"
#include "model/ParticipantRole.h"
#include "model/Preferences.h"
#include "model/PrintOptions.h"
#include "model/Property.h"
#include "model/SchedRule.h"
#include "model/EventDefinition.h"
#include "model/GroupList.h"
#include "model/Participant.h"
#include "model/TimeList.h"
#include "model/Timetable.h"
#include "model/Venue.h"

#include <memory>
#include <string>

class EventDoc : public CDocument {
public:
    // The version every save writes.
    static constexpr UINT kCurrentFileVersion = 40;

    EventDoc();
    ~EventDoc() override;
    EventDoc(const EventDoc&) = delete;
    EventDoc& operator=(const EventDoc&) = delete;

    // The version of the file the event was loaded from; the current
    // version for a new event and from the first save on.
    UINT GetFileVersion() const { return uFileVersion; }
    void SetFileVersion(UINT u_version) { uFileVersion = u_version; }

    // --- venues ---
    VenueList& GetVenues() { return Venues; }
    const VenueList& GetVenues() const { return Venues; }
    int GetNumVenues() const { return Venues.GetNumVenues(); }

    // --- event definition, day layouts and time lists ---
    EventDefinition& GetEventDef() { return EventDef; }
    const EventDefinition& GetEventDef() const { return EventDef; }
    // The availability test of groups and participants: TRUE when the span
    // (an offset from the day's midnight and a length) overlaps the list's
    // times of its day, or, on the neighbouring day's clock, the times of a
    // day that directly precedes or follows it.
    BOOL OverlapsTimeList(const TimeList& list, LONG l_dayId, const CHighTimeSpan& o_start,
                          const CHighTimeSpan& o_length) const;

    // --- styles, facilities, participant roles, preferences, options ---
    StyleList& GetStyles() { return Styles; }
    const StyleList& GetStyles() const { return Styles; }
    FacilityList& GetFacilities() { return Facilities; }
    const FacilityList& GetFacilities() const { return Facilities; }
    ParticipantRoleList& GetParticipantRoles() { return ParticipantRoles; }
    const ParticipantRoleList& GetParticipantRoles() const { return ParticipantRoles; }
    Preferences& GetPreferences() { return Prefs; }
    const Preferences& GetPreferences() const { return Prefs; }
    MiscOptions& GetMiscOptions() { return MiscOpts; }
    const MiscOptions& GetMiscOptions() const { return MiscOpts; }
    PrintOptions& GetPrintOptions() { return PrintOpts; }
    const PrintOptions& GetPrintOptions() const { return PrintOpts; }
    // The key of the role with the name (compared as names are); a name no
    // role has becomes a new role (no roster styles, default roster limit)
    // and marks the document modified. -1 when it cannot be added.
    LONG AddParticipantRole(const std::string& s_name);

    // --- timetable ---
    // The timetable, handed out only while the event can have one: at
    // least one venue, one day and one timeslot. Null otherwise, also when
    // the object exists.
    Timetable* GetTimetable();
    const Timetable* GetTimetable() const;
    // The timetable object itself, whatever the event holds; null when
    // there is none.
    Timetable* GetTimetableObject() { return pTimetable.get(); }
    const Timetable* GetTimetableObject() const { return pTimetable.get(); }
    // Replaces the timetable with a new one made for the event as it
    // stands (nothing placed, nothing locked); returns it.
    Timetable& NewTimetable();
    void DeleteTimetable();
    // The day definition has at least one day and at least one timeslot.
    BOOL HasDaysAndTimeslots() const;

    // --- groups and participants ---
    GroupList& GetGroups() { return Groups; }
    const GroupList& GetGroups() const { return Groups; }
    ParticipantList& GetParticipants() { return Participants; }
    const ParticipantList& GetParticipants() const { return Participants; }
    // Every style key some group carries, ascending, each once.
    void GetGroupStyleKeys(SortedKeyArray& a_keys) const;

    // --- scheduling rules ---
    SchedulingRules& GetSchedulingRules() { return SchedRules; }
    const SchedulingRules& GetSchedulingRules() const { return SchedRules; }
    // Gives every timeslot of the timetable the indexes of the enabled
    // venue rules and day rules that cover it (b_attach), or only empties
    // those lists (FALSE). Nothing happens while there is no timetable.
    // Each list holds its rules from the last to the first.
    void AttachRulesToSlots(BOOL b_attach);

private:
    UINT uFileVersion = kCurrentFileVersion;

    // --- venues ---
    VenueList Venues;

    // --- event definition, day layouts and time lists ---
    EventDefinition EventDef;

    // --- styles, facilities, participant roles, preferences, options ---
    StyleList Styles;
    FacilityList Facilities;
    ParticipantRoleList ParticipantRoles;
    Preferences Prefs;
    MiscOptions MiscOpts;
    PrintOptions PrintOpts;

    // --- timetable ---
    std::unique_ptr<Timetable> pTimetable;

    // --- groups and participants ---
    GroupList Groups;
    ParticipantList Participants;

    // --- scheduling rules ---
    SchedulingRules SchedRules;
};
