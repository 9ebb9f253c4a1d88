// The event document: owns the whole event while it is open.
//
// The document is a core class without any user interface; what it needs
// of the user (questions, sheets, views) it reaches through ports. It grows
// with the model: each part of the event is added as a member with its
// accessors when its class exists.
//
// Its code is kept by theme: EventDocLife.cpp (new, open, save, close and
// the change routine), EventDocCommands.cpp (the commands and their enable
// rules, renames, venue removal, the slot-time order), EventDocLimits.cpp
// (event limits reconciled with day limits), EventDocFile.cpp (the event
// file). The build and check commands are defined by the build driver and
// the roster command by the rostering driver, so the model never depends
// on the engines.
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
#include "model/ViewLayout.h"
#include "zelkit/datetime/CHighTime.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/values/ZelTimeslotCombination.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

    // --- life cycle and change routine ---
    const std::string& GetEventName() const { return sEventName; }
    void SetEventName(const std::string& s_name) { sEventName = s_name; }
    // When the event was created (null until a new event is set up or a
    // file read), and last saved (null until then).
    const CHighTime& GetCreationDate() const { return dtCreated; }
    void SetCreationDate(const CHighTime& dt_created) { dtCreated = dt_created; }
    const CHighTime& GetLastSavedDate() const { return dtLastSaved; }
    void SetLastSavedDate(const CHighTime& dt_saved) { dtLastSaved = dt_saved; }
    // Two texts an event file may carry, kept and written back unchanged.
    const std::string& GetFurtherText1() const { return sFurtherText1; }
    void SetFurtherText1(const std::string& s_text) { sFurtherText1 = s_text; }
    const std::string& GetFurtherText2() const { return sFurtherText2; }
    void SetFurtherText2(const std::string& s_text) { sFurtherText2 = s_text; }
    ZelTimeslotCombinationList& GetCombinations() { return Combinations; }
    const ZelTimeslotCombinationList& GetCombinations() const { return Combinations; }
    // Set by a load that refused items; the open then revalidates the
    // event and marks it modified.
    BOOL GetLoadProblems() const { return bLoadProblems; }
    void SetLoadProblems(BOOL b_problems) { bLoadProblems = b_problems; }
    // The file the event was opened from or last saved to; empty for an
    // event never saved.
    const std::string& GetPathName() const { return sPathName; }
    void SetPathName(const std::string& s_path) { sPathName = s_path; }

    // A new, empty event, whose Define Event sheet is asked to open at
    // once (command 32774 posted to the main window) unless the caller
    // offers the user the choice itself (the program's start-up dialog).
    BOOL OnNewDocument(BOOL b_defineAtOnce = TRUE);
    // The new event's start: current file version, created now, no list
    // row focused, every view updated.
    void InitNewEvent();
    // Reads the event file (through the event file's port, which leaves
    // the document as it was when it fails). A load that refused items is
    // revalidated and marked modified; no list row keeps the focus.
    BOOL OnOpenDocument(const std::string& s_path);
    // Saves to the path. An event without a name opens Define Event first
    // and is not saved while it still has none; a saved event is stamped
    // with the time of the save.
    BOOL OnSaveDocument(const std::string& s_path);
    // Saves under the path, or under a path the user chooses when it is
    // empty, keeping it as the document's path with b_replace. Before a
    // file of an older version is overwritten the user chooses between
    // overwriting it, saving under another name, or not saving.
    BOOL DoSave(const std::string& s_path, BOOL b_replace = TRUE);
    // Save: under the document's path.
    BOOL DoFileSave();
    // Offers to save a modified event. FALSE when the user cancels or the
    // save fails; otherwise the event counts as unmodified.
    BOOL SaveModified();
    // Empties the event. The export choices, the file version and the
    // load-problems flag stay as they are.
    void DeleteContents();

    // The change routine, after every accepted edit: the timetable is
    // rebuilt (locks kept), the lists are revalidated, the views updated
    // with the hint (UpdateViewHint's codes) and the event marked
    // modified. The frame's active view is cleared for the updates and
    // restored afterwards.
    void DocChanged(LONG l_hint);
    // The change routine of a roster or an un-roster: only who is a member
    // of which group changed, and the rostering engine gives a participant
    // only groups the built timetable places apart, so the timetable (its
    // placements, build date and valid flag) stays; the lists are
    // revalidated, the views updated and the event marked modified.
    void MembersChanged(LONG l_hint);
    // A new timetable for the event as it stands, with the old one's locks;
    // none while the event defines no timeslot.
    void RebuildTimetable();
    // Participant roles, venues, groups, participants, then the
    // scheduling rules, against the event.
    void RevalidateLists();
    void UpdateViews(LONG l_hint);
    // The timetable view starts again and every list view refills.
    void InvalidateItemListViews();
    // No row of any list view keeps the focus.
    void ClearListViewFocus();
    // Every timetable view writes a pending in-place group choice.
    void CommitViewEdits();

    // --- commands ---
    enum : UINT {
        ID_DEFINE_EVENT = 32773,
        ID_NEW_EVENT_DEFINITION = 32774,
        ID_BUILD_TIMETABLE = 32781,
        ID_PREFERENCES = 32796,
        ID_EMAIL_SUPPORT = 32843,
        ID_SCHEDULING_RULES = 32855,
        ID_ROSTER_PARTICIPANTS = 32861,
        ID_ROSTER_PARTICIPANTS_TOOL = 32863,
        ID_CHECK_TIMETABLE = 32864,
        ID_FILE_CLOSE = 57602,
        ID_FILE_SEND_MAIL = 57612,
    };
    // Whether the command is one of the document's.
    static BOOL IsDocumentCommand(UINT u_id);
    // Whether the document's command is enabled now; FALSE for a command
    // that is not the document's.
    BOOL IsCommandEnabled(UINT u_id) const;
    // The enable rules that depend on the event.
    BOOL CanBuildTimetable() const;
    BOOL CanEditSchedulingRules() const;
    BOOL CanCheckTimetable() const;
    BOOL CanRosterParticipants() const;

    // 32773, 32774: the Define Event sheet; a finish with changes runs the
    // change routine with the event-definition hint.
    void OnDefineEvent();
    // 32781. The build driver defines it: the build of the timetable that
    // GetTimetableToBuild hands out, when there is one. TRUE when the build
    // ran to its end (the timetable then says whether every check passed).
    BOOL OnBuildTimetable();
    // The build command's start: pending grid edits are written, an event
    // without a name opens Define Event first; the timetable to build, or
    // null when the build stops (still no name, or an event that cannot
    // have a timetable, which a message box says what it lacks).
    Timetable* GetTimetableToBuild();
    // The check command's timetable; null, after a message box saying what
    // the event lacks, when it cannot have one.
    Timetable* GetTimetableToCheck();
    // What the event lacks to have a timetable, a line for each (days,
    // timeslots, venues); empty when it can have one.
    std::string DescribeTimetableNeeds() const;
    // 32796: the preferences sheet; OK stores them (rebuilding as
    // SetPreferences says). A result other than OK and Cancel raises the
    // framework's resource exception.
    void OnPreferences();
    // 32855: the scheduling-rules sheet; OK stores the rules through
    // SetSchedulingRules.
    void OnSchedulingRules();
    // 32864. The build driver defines it: the check of the timetable that
    // GetTimetableToCheck hands out, when there is one, then
    // ReportCheckResult.
    void OnCheckTimetable();
    // The check's end: "valid" for a positive result, else "invalid";
    // the event is marked modified when the check changed the timetable.
    void ReportCheckResult(int i_result, BOOL b_changed);
    // 32861, 32863. The rostering driver defines it: the rostering dialog
    // over the timetable, when the event has a venue, a day, a timeslot
    // and a timetable.
    void OnRosterParticipants();
    // Busy: a rostering run's worker is changing the groups' members. The
    // roster dialog sets the mark before it starts the worker and clears it
    // once the worker has been joined. While it is set nothing on the
    // user-interface thread may read or change the event: a view that has
    // to paint draws what it last drew, and no command runs.
    BOOL IsBusy() const { return bBusy; }
    void SetBusy(BOOL b_busy) { bBusy = b_busy; }
    // 32843: mails the event file to support.
    void OnEmailSupport();
    // 57612: mails the event file to recipients the user chooses.
    void OnSendMail();
    // 57602: offers to save, then, unless the user cancelled with the
    // event still modified, the document becomes a new empty event
    // without opening Define Event.
    void OnCloseEvent();

    // --- edits and checks of the event ---
    // Takes the preferences. Allowing travel time, or more travel minutes,
    // runs the change routine (everything) when b_rebuild asks for it;
    // anything else only marks the event modified.
    void SetPreferences(const Preferences& prefs, BOOL b_rebuild);
    // Takes the scheduling rules, revalidates them and runs the change
    // routine with the scheduling-rules hint, unless the event holds them
    // already: the routine would keep only the timetable's locks. The
    // sheet's OK and its Apply both store through here.
    void SetSchedulingRules(const SchedulingRules& rules);
    // Takes the venue out of every day's timeslot layout, the venue list
    // and the timetable. The caller runs the change routine.
    void RemoveVenueRefs(LONG l_key);
    // How two slots of the timetable order in time (negative, 0,
    // positive). i_mode 1 compares a's start with b's end, 2 a's end with
    // b's start, 3 both ends, any other both starts. Slots of consecutive
    // days compare across midnight; of other days, by their days.
    int CompareSlotTimes(const Timeslot& a, const Timeslot& b, int i_mode) const;
    // Gives the style (facility) a new name, refusing a name that is not
    // valid or that a style (facility) has already, its own included;
    // runs the change routine (everything). The style's index, or -1.
    int RenameStyle(LONG l_key, const std::string& s_name);
    int RenameFacility(LONG l_key, const std::string& s_name);

    // Fields of the limit reconciliation.
    enum LimitField : int {
        e_event_value = 1,
        e_event_min = 2,
        e_event_max = 3,
        e_day_value = 4,
        e_day_min = 5,
        e_day_max = 6,
        e_event_type = 7,
        e_day_type = 8,
    };
    // One reconciliation: the field set (or to be set), the reason's
    // string id and its argument, the day count (empty when the reason
    // takes none).
    struct LimitFieldChange {
        int iField = 0;
        UINT uStringId = 0;
        std::string sText;
        bool operator==(const LimitFieldChange&) const = default;
    };
    // Reconciles an entity's event limits with its day limits over the
    // days on which it is available (p_unavailable: its not-available
    // times, or null). i_field is the field just edited, a_edited the
    // fields edited before it. With b_apply the limits change until they
    // agree (at most eleven passes); without it the one pass only lists
    // what it would change. The changes array is emptied first; returns
    // its count.
    int CheckLimits(const TimeList* p_unavailable, SchedLim& event_limits, SchedLim& day_limits,
                    const ZelArray<int>& a_edited, int i_field, ZelArray<LimitFieldChange>& a_changes,
                    BOOL b_apply) const;

    // --- event file ---
    // A list view's layout as the event file keeps it, under the run-time
    // class name of its view.
    struct StoredViewLayout {
        std::string sClassName;
        ViewLayout Layout;
    };

    // The whole event file: storing writes the current version; loading
    // reads any version from 1 on into an empty document (DeleteContents
    // first), refuses damaged data with the archive exception, reports
    // the items the lists refused, and asks Continue or Quit when it
    // refused any (Quit raises the user exception).
    void Serialize(CArchive& ar) override;
    // The event name at the head of an event file; empty for a version
    // this program does not read. A short file raises the archive
    // exception.
    static std::string ReadEventName(CArchive& ar);

    // Reads an event file's bytes into a fresh document, which takes this
    // one's place only when the whole load succeeded, the user's Continue
    // included; the open list views then take their stored layouts. Throws
    // what the load threw, leaving this document and the key counters as
    // they were. The export choices carry over from the open event unless
    // the file holds its own.
    void ReadEventFile(std::vector<std::uint8_t> v_bytes);
    // The bytes of the event file, written with the layouts of the open
    // list views. The document's file version becomes the current one.
    std::vector<std::uint8_t> WriteEventFile();

    // The layouts the file held, in file order, with those of open views
    // refreshed at every write. Layouts of classes with no open view are
    // written back unchanged.
    const std::vector<StoredViewLayout>& GetViewLayouts() const { return ViewLayouts; }
    // The open list views take the stored layouts of their class; every
    // list view is marked for refilling first.
    void ApplyViewLayouts();
    // Each open list view gives its layout into the stored layouts of its
    // class (a new one at the end when there is none).
    void CollectViewLayouts();

    // Set by a load that met references no list resolves (members naming
    // no participant, placements of unknown groups, allocations, limits,
    // availability or rules naming venues or days that are gone), locks
    // that hold no group, venue allocations the allocation page never
    // stores, or timeslots without the timetable they make. The open then
    // revalidates the event and marks it modified without asking.
    BOOL GetLoadRepairs() const { return bLoadRepairs; }
    // The messages the last load showed, in order: the line ids of the
    // duplicate and error reports (1026 ...), 1069, 1059 and 1079.
    const std::vector<UINT>& GetLoadMessages() const { return vLoadMessages; }

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

    // --- life cycle and change routine ---
    // The framework's part of a new document: empty, no path, unmodified.
    void NewDocumentStep();
    // The framework's save: under the path, or a path the user chooses.
    BOOL SaveStep(const std::string& s_path, BOOL b_replace);
    // The timetable a command runs on; null after the message (its "%1"
    // what the event lacks) when the event cannot have one.
    Timetable* TimetableOrNeeds(UINT u_messageId);
    // The days on which at least one timeslot lies outside the times.
    UINT CountLimitDays(const TimeList* p_unavailable) const;
    template <class List>
    int RenameProperty(List& list, LONG l_key, const std::string& s_name, UINT u_invalidId);

    std::string sEventName;
    CHighTime dtCreated = NullDate();
    CHighTime dtLastSaved = NullDate();
    std::string sFurtherText1;
    std::string sFurtherText2;
    ZelTimeslotCombinationList Combinations;
    BOOL bLoadProblems = FALSE;
    std::string sPathName;
    // Set during a rostering run (IsBusy).
    BOOL bBusy = FALSE;

    static CHighTime NullDate();

    // --- event file ---
    struct LoadCounts;
    void StoreEvent(CArchive& ar);
    void LoadEvent(CArchive& ar);
    void LoadOldDates(CArchive& ar);
    void LoadRoles(CArchive& ar, LoadCounts& counts);
    void LoadVenues(CArchive& ar, LoadCounts& counts);
    void LoadGroups(CArchive& ar, LoadCounts& counts);
    void LoadParticipants(CArchive& ar, LoadCounts& counts);
    template <class Item, class List>
    void LoadProperties(CArchive& ar, List& list, int& n_duplicates, int& n_errors);
    void LoadTimetable(CArchive& ar, const LoadCounts& counts);
    void SerializeViewLayouts(CArchive& ar);
    // Reports the refused items and asks Continue or Quit.
    void ReportLoadProblems(const LoadCounts& counts);
    // One warning of a line per kind with a count above 0 (venues, groups,
    // participants, styles, facilities), inside the message; nothing when
    // every count is 0. Used for the duplicates and for the errors.
    void ReportDuplicates(UINT u_messageId, const UINT (&a_lineIds)[5], const int (&a_counts)[5]);
    // Whether anything of the loaded event names what no list holds; the
    // groups and participants as the load noted them while it read them.
    BOOL HasUnresolvedReferences(const LoadCounts& counts) const;
    // Exchanges the events of two documents (all the file holds); the
    // timetables follow their new documents.
    void SwapEvent(EventDoc& other);

    std::vector<StoredViewLayout> ViewLayouts;
    BOOL bLoadRepairs = FALSE;
    std::vector<UINT> vLoadMessages;
};
