// The participant pane's work without a window: its six columns and the
// nineteen participant fields (texts for the list, printing, the text
// export's schedule cells and the labels), the rows, adding a participant
// with the list's messages, the add and change dialogs through the
// participant sheet's port, deleting, the name sort's cycle, the printed
// columns offered and kept, the preferences applied to the selection,
// un-rostering, the mail recipients of the selection and the import of one
// participant record.
//
// The core works on the rows of an ItemListCore (the participant view in
// the program, a plain list in tests) and on that core's document.
#pragma once

#include "framework/Types.h"
#include "model/ShellPorts.h"
#include "shell/lists/ItemListCore.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/import/ZelImport.h"
#include "framework/Geometry.h"

#include <functional>
#include <string>
#include <vector>

class EventDoc;
class IZelDrawPort;
class ILVImportErrors;
class Participant;

// The participant sheet as the participant pane opens it. The program
// installs the sheet's port; until then the sheet is cancelled at once.
class IParticipantSheetPort {
public:
    struct Request {
        EventDoc* pDoc = nullptr;
        int iStartPage = 0;
        std::string sCaption;
        // The position and count of the walk over a selection (0, 0: no
        // walk).
        int iPosition = 0;
        int nCount = 0;
        // In: the participant edited; out: as the sheet left it.
        Participant* pWorking = nullptr;
        // The sheet's OK, Apply, Next and Previous ask this once the pages
        // gave up their values; FALSE keeps the sheet open with the edits.
        // Empty: nothing to ask.
        std::function<BOOL(const Participant&)> fAccept;
        // Apply, once the participant passed the check above: stores the
        // participant as the sheet holds it and gives it back as the event
        // now holds it; the sheet stays open on it. FALSE: nothing stored
        // (the user was told), the sheet stays with the edits.
        std::function<BOOL(Participant&)> fApply;
        // Out: the page that was active at the end.
        int iLastPage = 0;
    };
    virtual ~IParticipantSheetPort() = default;
    // IDOK, Previous (1149), Next (1150) or anything else for Cancel. A
    // sheet that ends with its Apply (12321) is taken as one that stored
    // and wants the same participant shown again.
    virtual int Run(Request& request) = 0;
};
IParticipantSheetPort& GetParticipantSheetPort();
// Null puts the stand-in back; returns the previous port.
IParticipantSheetPort* SetParticipantSheetPort(IParticipantSheetPort* p_port);

// The participant fields.
enum ParticipantFieldId : int {
    pfName = 0,
    pfPhone,
    pfPhone1,
    pfPhone2,
    pfFax,
    pfEmail,
    pfAddress,
    pfAddress1,
    pfAddress2,
    pfAddress3,
    pfPostalCode,
    pfUsualRole,
    pfLimits,
    pfGroups,
    pfNotAvailable,
    pfRostering,
    pfVenueSchedule,
    pfGroupSchedule,
    pfNotes,
    pfNumFields
};

class ParticipantViewCore {
public:
    static constexpr int nListColumns = 6;
    static constexpr const char* kSheetCaption = "Define participant";
    // Masks of ApplyPreferences.
    enum : UINT { e_pref_limits = 1, e_pref_rostering = 2, e_pref_all = 3 };

    explicit ParticipantViewCore(ItemListCore& list);
    virtual ~ParticipantViewCore() = default;
    ParticipantViewCore(const ParticipantViewCore&) = delete;
    ParticipantViewCore& operator=(const ParticipantViewCore&) = delete;

    EventDoc* GetDoc() { return List.GetEventDoc(); }

    // ---- columns and texts ----
    static std::string GetListColumnTitle(int i_column);
    static std::string GetFieldTitle(int i_fieldId);
    // One column definition per field, for printing and import.
    static std::vector<ItemListCore::ColumnDef> ColumnDefs();
    // The list column's text; empty for another column or without a
    // participant.
    std::string GetColumnText(const Participant* p_part, int i_column);
    // The field's text; empty for another id or without a participant.
    std::string GetFieldText(const Participant* p_part, int i_fieldId);
    // The printed column's text: the field of its printed id.
    std::string GetRecordText(const Participant* p_part, int i_column);
    // The lines of the participant's schedule, with venue names (b_venues)
    // or group names; none unless the event has a venue, a day, a timeslot
    // and a timetable.
    static std::vector<std::string> GetScheduleLines(const EventDoc* p_doc, const Participant& part, BOOL b_venues);
    // The lines joined with the separator.
    static std::string GetScheduleText(const EventDoc* p_doc, const Participant& part, BOOL b_venues,
                                       const char* p_separator);
    // The address label: name and address lines, the postal code after the
    // last; the box shrinks about the text to centre it.
    static std::string GetLabelText(IZelDrawPort& port, const Participant& part, CRect& rc_box);
    // The participant's position in the document of the row; -1 when none.
    int GetRecordValue(int i_row);
    const Participant* GetRecord(int i_row);
    // TRUE (handled, no refill) for every hint but the participants'.
    static BOOL FilterUpdateHint(const UpdateViewHint& hint);

    // ---- rows ----
    void InsertColumns();
    void AddRows();
    // Column 0 of the participant's row: added, or rewritten (b_update).
    void SetRow(const Participant& part, BOOL b_update);

    // ---- add, change, delete ----
    // 0 added; else the list's result with its message.
    int AddParticipant(const Participant& part, std::string& s_message, BOOL b_shortTexts, BOOL b_noUpdate);
    BOOL AddRecordByName(const ZelFullName& name, std::string& s_error, BOOL b_shortTexts);
    void DoAddDialog();
    // The walk's code: 0 the same participant again, 1 next, 2 previous,
    // 3 stop.
    int DoChangeDialog(LPARAM l_key, LPARAM& l_changed, int i_position, int n_count);
    // Whether the edited copy of the participant with the key may be
    // stored: not while another participant has its name (message 1036
    // with p_verb, "change" or "add").
    BOOL AcceptChangedName(LONG l_key, const Participant& edited, const char* p_verb = "change");
    // Stores the edited copy over the participant with the key, unless its
    // name is taken or nothing in it differs from the stored participant;
    // TRUE when stored.
    BOOL WriteChangedParticipant(LONG l_key, const Participant& edited);
    // The add sheet's OK or Apply: the first adds the participant (a
    // refusal is shown, FALSE) and l_added takes its key; once added, the
    // participant with that key is changed. The edited copy comes back as
    // the event holds the participant.
    BOOL StoreAddedParticipant(Participant& edited, LONG& l_added);
    void DeleteRecord(LPARAM l_key, BOOL b_last);
    void DeleteRecords(const LPARAM* p_keys, int n_keys);
    static int& LastChangePage();

    // ---- sorting ----
    void Sort(int i_column);
    BOOL IsNameFirstLast() const { return bNameFirstLast; }
    int GetNameSortState() const { return iNameSortState; }
    // The state of a new view (its initial update).
    void ResetSort();

    // ---- printing ----
    // The field ids worth offering for print, in the offered order.
    std::vector<UINT> OfferedPrintIds();
    BOOL SelectPrintColumns();

    // ---- commands on the selection ----
    // While a rostering run owns the event no command of the view is
    // enabled, and their rules read nothing of it.
    BOOL IsDocumentBusy();
    BOOL CanApplyPreferences();
    void ApplyPreferences(UINT u_mask);
    BOOL CanUnroster();
    // 1 when un-rostered, 0 when declined or impossible.
    int Unroster();
    // Recipients of the selection, each address once, ordered by address;
    // the count.
    int CollectEmails(std::vector<std::string>& a_addresses, std::vector<std::string>& a_names);
    void SendMail();
    BOOL CanSendMail();

    // ---- import ----
    void FillImportFields(ZelImportFieldDef& defs) const;
    // One record (record -1: the import ended); 1 when the participant was
    // added.
    int ImportRecord(int i_record, int i_line, const ZelArray<ZelImport::ColValue>& a_values,
                     ILVImportErrors* p_errors);

protected:
    // The page orientation of the next print.
    virtual void SetPortrait(BOOL /*b_portrait*/) {}

private:

    ItemListCore& List;
    BOOL bNameFirstLast = TRUE;
    int iNameSortState = 0;
    int iSortColumn = -1;
};
