// The event's scheduling rules: what must hold among the groups placed in
// a set of timeslots.
//
// A rule names its timeslots (the scope, a time list), a kind (limit the
// participants; same, different or selected styles; different groups), a
// strength (mandatory or preference), an enabled flag and the result of
// its last validation. A DayRule covers chosen timeslots of one event day
// in any venues; a VenueRule chosen timeslots of one venue on any days.
// SchedulingRules, which the document owns, holds both kinds, saves them,
// and after every change of the event revalidates them: rules whose day or
// venue is gone are deleted, rules whose timeslots changed are disabled,
// and the user is told once.
//
// Only enabled, valid, mandatory rules constrain anything. The build asks
// AllowsGroup of the rules attached to a timeslot (EventDoc's
// AttachRulesToSlots) before it places a group there; a check runs Check
// over the whole timetable and reports the first violation in words.
//
// A rule reaches the timetable's slots through its scope times: each time
// of a day stands for the slot of its venue with the same start and end.
// NextSlot walks them in scope order, skipping times that have no such
// slot (a file may hold scope times that no revalidation has matched to
// the timetable yet).
#pragma once

#include "framework/Types.h"
#include "model/KeyList.h"
#include "model/SchedLim.h"
#include "model/TimeList.h"
#include "model/Timeslot.h"
#include "zelkit/base/ZelArray.h"

#include <string>
#include <vector>

class CArchive;
class Day;
class EventDoc;
class Group;
class ZelRelTimeslot;
class ZelRelTimeslotArray;

// Texts of the scheduling rules.
enum : UINT {
    IDS_SCHEDULING_RULES = 142,
    IDS_VENUE_RULE_DESCRIPTION = 143,
    IDS_RULE_TEXT = 156,
    IDS_DAY_RULE_DESCRIPTION = 157,
    IDS_DAY_RULE_NAME = 164,
    IDS_VENUE_RULE_NAME = 165,
    IDS_RULES_DISABLED = 166,
    IDS_RULE_NOT_VALID = 3007,
    IDS_RULE_SELECT_VENUE = 3008,
    IDS_RULE_SELECT_TIMESLOT = 3009,
    IDS_RULE_SELECT_STYLES = 3010,
    IDS_RULE_SELECT_TWO_TIMESLOTS = 3011,
    IDS_RULE_SAME_STYLES_NOT_MET = 3013,
    IDS_RULE_DIFFERENT_STYLES_NOT_MET = 3014,
    IDS_RULE_SELECTED_STYLES_NOT_MET = 3015,
    IDS_RULE_SELECT_DAY = 3016,
    IDS_RULE_PARTICIPANTS_NOT_MET = 3017,
    IDS_RULE_SELECT_MAXIMUM = 3018,
    IDS_RULE_DIFFERENT_GROUPS_NOT_MET = 3019,
};

class SchedRule {
public:
    enum {
        e_limit_participants = 0,
        e_same_styles = 1,
        e_different_styles = 2,
        e_selected_styles = 3,
        e_different_groups = 4,
        e_last_kind = e_different_groups,
    };
    enum { e_mandatory = 0, e_preference = 1 };
    enum { kNumStyleSlots = 5 };

    SchedRule(const SchedRule& src) = default;
    SchedRule& operator=(const SchedRule& src) = default;
    virtual ~SchedRule() = default;

    UINT GetKind() const { return uKind; }
    void SetKind(UINT u_kind) { uKind = u_kind; }
    UINT GetStrength() const { return uStrength; }
    void SetStrength(UINT u_strength) { uStrength = u_strength; }
    BOOL IsEnabled() const { return bEnabled; }
    void SetEnabled(BOOL b_enabled) { bEnabled = b_enabled; }
    // The result of the last validation.
    BOOL IsValid() const { return bValid; }
    void SetValid(BOOL b_valid) { bValid = b_valid; }
    // For "Limit participants": the maximum is the limit's.
    SchedLim& GetLimit() { return Limit; }
    const SchedLim& GetLimit() const { return Limit; }
    // For "Selected styles": the style keys.
    KeyList& GetStyles() { return Styles; }
    const KeyList& GetStyles() const { return Styles; }
    // The times the rule covers, per event day.
    TimeList& GetScope() { return Scope; }
    const TimeList& GetScope() const { return Scope; }

    // "Limit participants", "Same styles", "Different styles", "Selected
    // styles", "Different groups"; empty for any other kind.
    static std::string GetKindName(UINT u_kind);
    // "Mandatory", "Preference"; empty for any other strength.
    static std::string GetStrengthName(UINT u_strength);
    virtual std::string GetKindText() const { return GetKindName(uKind); }
    // The line the rule lists show for the rule.
    virtual std::string GetDescription(const EventDoc* p_doc) const = 0;

    // The number of scope times; *p_days receives the number of days that
    // have times.
    int GetNumTimes(int* p_days = nullptr) const { return Scope.GetNumTimes(p_days); }
    // Replaces the scope's times of one day (an empty array removes it).
    void SetDayTimes(LONG l_dayId, const ZelRelTimeslotArray& a_times) { Scope.SetDayTimes(l_dayId, a_times); }

    // Validates and keeps the result as the valid flag; returns it, with
    // the reason in s_message when the rule is not valid.
    BOOL UpdateValid(const EventDoc* p_doc, std::string& s_message);
    BOOL UpdateValid(const EventDoc* p_doc);
    // Whether the rule can be checked as it stands: enough timeslots for
    // its kind, a maximum for "Limit participants", styles for "Selected
    // styles". Any kind above the known ones passes. 0 with the reason in
    // s_message, else 1 with the message empty.
    virtual BOOL Validate(const EventDoc* p_doc, std::string& s_message) const;
    // Drops the scope times whose day, venue or slot is gone and the styles
    // no longer in the event (for the style kinds), then validates again.
    // TRUE when the scope changed.
    virtual BOOL Revalidate(EventDoc* p_doc);

    // "n timeslot(s), must schedule groups with the same style." and the
    // like.
    std::string GetRuleText() const;

    // Whether the timetable keeps the rule: 1, or 0 with the first
    // violation in s_message, s_name standing for the rule in it. Disabled,
    // invalid and preference rules pass, as does any rule while the event
    // has no timetable. With b_lockedOnly only locked placements count.
    virtual int Check(const std::string& s_name, const EventDoc* p_doc, std::string& s_message,
                      BOOL b_lockedOnly) const;
    // Check under the rule's numbered name ("Day scheduling rule 2").
    virtual int CheckRule(int i_index, const EventDoc* p_doc, std::string& s_message, BOOL b_lockedOnly) const = 0;

    // Whether placing the group into the timetable slot keeps the rule,
    // given what is placed in the rule's other timeslots (only the locked
    // placements with b_lockedOnly); the slot's present group does not
    // count. Disabled and preference rules allow everything; an unknown
    // kind refuses. "Selected styles" looks at the group's styles only:
    // the build asks only the rules attached to the slot.
    virtual BOOL AllowsGroup(const EventDoc* p_doc, const Timeslot& slot, const Group& group,
                             BOOL b_lockedOnly) const = 0;

    // The groups placed in the rule's timeslots, day by day in scope
    // order, as their positions in the group list, one for each placement
    // (only the locked placements with b_lockedOnly); slots of groups the
    // list does not hold are left out. A participant limit counts their
    // members.
    std::vector<int> GetPlacedGroups(const EventDoc* p_doc, BOOL b_lockedOnly) const;

    // The rule's timeslots on one timetable day, in scope order. Start
    // with i_ruleSlot -1; each call moves it to the next scope time that
    // has a slot on the day and returns that slot, null when there is no
    // further one (i_ruleSlot then stays where it was).
    const Timeslot* NextSlot(const EventDoc* p_doc, const Day& day, int& i_ruleSlot) const;
    Timeslot* NextSlot(const EventDoc* p_doc, Day& day, int& i_ruleSlot) const;
    TimeslotPtr NextSlotPtr(const EventDoc* p_doc, Day& day, int& i_ruleSlot) const;
    // From scope time i_from of the day's scope times on, the first that
    // has a slot on the day: its position among the day's scope times, with
    // the slot's venue index and position in i_venue and i_daySlot. -1 when
    // the rule is not valid, does not cover the day, or no further time
    // has a slot.
    virtual int FitSlot(const EventDoc* p_doc, const Day& day, int i_from, int& i_venue, int& i_daySlot) const = 0;

    // Enabled and valid flags, strength, scope, kind, then the limit (kind
    // "Limit participants") or the styles (kind "Selected styles"). Files
    // before version 34 end after the scope; the rule's own class reads
    // what they held instead. A kind unknown to this program loads, but
    // disabled and not valid.
    virtual void Serialize(CArchive& ar);

protected:
    // A rule of kind "Same styles", mandatory, enabled and not valid, with
    // an empty scope of the given form.
    SchedRule(BOOL b_perTimeKeys, LONG l_venueKey);

    // The slot of the venue on the day that the scope time stands for (same
    // start and end); -1 when the venue has no such slot.
    static int FindDaySlot(const Day& day, int i_venue, const ZelRelTimeslot& time);

    SchedLim Limit;
    UINT uKind = e_same_styles;
    KeyList Styles{kNumStyleSlots};
    BOOL bValid = 0;
    BOOL bEnabled = 1;
    UINT uStrength = e_mandatory;
    TimeList Scope;
};

// A rule over timeslots of one event day, in whichever venues its times
// name (each scope time keeps its venue's key).
class DayRule : public SchedRule {
public:
    DayRule();
    DayRule(const DayRule& src) = default;
    DayRule& operator=(const DayRule& src) = default;

    // The day's identifier in the day definition; -1 for none.
    LONG GetDayId() const { return lDayId; }
    void SetDayId(LONG l_dayId) { lDayId = l_dayId; }
    // The day's position in the day definition; -1 when it has no such day.
    int GetDayIndex(const EventDoc* p_doc) const;

    // The common validation, then the day must exist.
    BOOL Validate(const EventDoc* p_doc, std::string& s_message) const override;
    // "In day Monday, in 3 timeslot(s), ..."; for a rule that is not valid
    // the reason; empty while the event has no timetable.
    std::string GetDescription(const EventDoc* p_doc) const override;
    // The common revalidation; a rule whose scope changed is disabled. 1
    // when this disabled it, else 0.
    BOOL Revalidate(EventDoc* p_doc) override;
    int CheckRule(int i_index, const EventDoc* p_doc, std::string& s_message, BOOL b_lockedOnly) const override;
    BOOL AllowsGroup(const EventDoc* p_doc, const Timeslot& slot, const Group& group,
                     BOOL b_lockedOnly) const override;
    int FitSlot(const EventDoc* p_doc, const Day& day, int i_from, int& i_venue, int& i_daySlot) const override;

    // The common part, then the day identifier.
    void Serialize(CArchive& ar) override;

private:
    LONG lDayId = -1;
};

// A rule over timeslots of one venue on any of the event's days. Every
// scope time carries the rule's venue key.
class VenueRule : public SchedRule {
public:
    explicit VenueRule(LONG l_venueKey = -1);
    VenueRule(const VenueRule& src);
    VenueRule& operator=(const VenueRule& src);

    LONG GetVenueKey() const { return lVenueKey; }
    // Sets the key and gives every scope time the key.
    void SetVenueKey(LONG l_venueKey);
    // The venue's position in the venue list; -1 when it has no such venue.
    int GetVenueIndex(const EventDoc* p_doc) const;

    // The common validation, then the venue must exist.
    BOOL Validate(const EventDoc* p_doc, std::string& s_message) const override;
    // "In venue Hall, over 2 day(s), in ..."; for a rule that is not valid
    // the reason.
    std::string GetDescription(const EventDoc* p_doc) const override;
    // As a day rule's.
    BOOL Revalidate(EventDoc* p_doc) override;
    int CheckRule(int i_index, const EventDoc* p_doc, std::string& s_message, BOOL b_lockedOnly) const override;
    BOOL AllowsGroup(const EventDoc* p_doc, const Timeslot& slot, const Group& group,
                     BOOL b_lockedOnly) const override;
    int FitSlot(const EventDoc* p_doc, const Day& day, int i_from, int& i_venue, int& i_daySlot) const override;

    // The common part, then the venue key. Files before version 34 kept
    // the venue key, an old kind and the styles in other places (before
    // version 23 in front of the scope); old kinds 0, 1 and 2 are "Same
    // styles", "Different styles" and "Selected styles", any other "Same
    // styles".
    void Serialize(CArchive& ar) override;

private:
    // The scope becomes one whose times all carry the venue key.
    void StampScope();

    LONG lVenueKey = -1;
};

// The fewest bytes a stored rule takes, for the arrays' count checks.
template <>
struct ZelElementMinBytes<DayRule> {
    static constexpr std::size_t value = 18;
};
template <>
struct ZelElementMinBytes<VenueRule> {
    static constexpr std::size_t value = 22;
};

// The document's rules: the venue rules, then the day rules.
class SchedulingRules {
public:
    SchedulingRules() = default;
    SchedulingRules(const SchedulingRules& src) = default;
    SchedulingRules& operator=(const SchedulingRules& src) = default;
    virtual ~SchedulingRules() = default;

    ZelArray<VenueRule>& GetVenueRules() { return VenueRules; }
    const ZelArray<VenueRule>& GetVenueRules() const { return VenueRules; }
    ZelArray<DayRule>& GetDayRules() { return DayRules; }
    const ZelArray<DayRule>& GetDayRules() const { return DayRules; }
    int GetNumVenueRules() const { return VenueRules.GetSize(); }
    int GetNumDayRules() const { return DayRules.GetSize(); }

    // Rules both valid and enabled.
    int GetNumActiveRules() const;
    // Disables every rule that is not valid.
    void DisableInvalidRules();
    // After a change of the event: deletes the rules whose venue or day is
    // gone, revalidates the others, and tells the user (message 166, with
    // the counts) when that disabled any.
    void Revalidate(EventDoc* p_doc);

    // Both arrays in the library's array form; files before version 24
    // have no day rules.
    void Serialize(CArchive& ar);

private:
    ZelArray<VenueRule> VenueRules;
    ZelArray<DayRule> DayRules;
};
