// The group pane's work without a window: its nine columns and their texts,
// adding a group to the document with the messages of a refusal, the add
// and change dialogs through the group sheet's port (the change walk's
// codes come from the sheet's result), deleting one group or many, the
// rows' selection mirrored into the groups and announced to the other
// views, sorting with its tie-breaks, the printed columns offered and the
// print options kept, the preferences applied to the selection, the mail
// recipients of the selection, and the import of one group record.
//
// The core works on the rows of an ItemListCore (the group view in the
// program, a plain list in tests) and on that core's document.
#pragma once

#include "framework/Types.h"
#include "model/GroupList.h"
#include "model/ShellPorts.h"
#include "shell/lists/ItemListCore.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/import/ZelImport.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class EventDoc;
class Group;
class ILVImportErrors;

// The group property sheet as the group pane opens it. The program installs
// the sheet's port; until then the sheet is cancelled at once.
class IGroupSheetPort {
public:
    struct Request {
        EventDoc* pDoc = nullptr;
        int nMaxStyles = 5;
        int nMaxFacilities = 5;
        int iStartPage = 0;
        std::string sCaption;
        // The position and count of the walk over a selection (0, 0: no
        // walk).
        int iPosition = 0;
        int nCount = 0;
        // In: the group edited; out: as the sheet left it.
        Group* pWorking = nullptr;
        // Out: the page that was active at the end.
        int iLastPage = 0;
        // Asked when the sheet is about to end with OK, Apply, Next or
        // Previous, after its pages saved and checked the group: FALSE
        // keeps the sheet open with the user's edits (the check has told
        // the user why). None: the sheet ends.
        std::function<BOOL(const Group&)> fAccept;
        // Apply, once the group passed the checks above: stores the group
        // as the sheet holds it and gives it back as the event now holds
        // it; the sheet stays open on it. FALSE: nothing stored (the user
        // was told), the sheet stays with the edits.
        std::function<BOOL(Group&)> fApply;
    };
    virtual ~IGroupSheetPort() = default;
    // IDOK, Previous (1149), Next (1150) or anything else for Cancel. A
    // sheet that ends with its Apply (12321) is taken as one that stored
    // and wants the same group shown again.
    virtual int Run(Request& request) = 0;
};
IGroupSheetPort& GetGroupSheetPort();
// Null puts the stand-in back; returns the previous port.
IGroupSheetPort* SetGroupSheetPort(IGroupSheetPort* p_port);

class GroupViewCore {
public:
    // The list's columns.
    static constexpr int nListColumns = 9;
    // The members column stops near this many characters.
    static constexpr int nListMembersWidth = 512;
    // The sheet's key list sizes and caption.
    static constexpr int nSheetKeys = 5;
    static constexpr const char* kSheetCaption = "Define group";
    // Masks of ApplyPreferences.
    enum : UINT { e_pref_limits = 1, e_pref_rostering = 2, e_pref_allocations = 4, e_pref_rotation = 8, e_pref_all = 15 };
    // The import's field names, ids, options and flags.
    using ImportField = ItemListCore::ImportField;
    static const ImportField aImportFields[14];

    explicit GroupViewCore(ItemListCore& list);
    virtual ~GroupViewCore() = default;
    GroupViewCore(const GroupViewCore&) = delete;
    GroupViewCore& operator=(const GroupViewCore&) = delete;

    EventDoc* GetDoc() { return List.GetEventDoc(); }

    // ---- columns and texts ----
    static std::string GetListColumnTitle(int i_column);
    // One column definition per group field id, for printing and import.
    static std::vector<ItemListCore::ColumnDef> ColumnDefs();
    // The list column's text of the group; empty for another column or
    // without a group.
    std::string GetFieldText(const Group* p_group, int i_column);
    // The printed column's text: the field of its printed id.
    std::string GetRecordText(const Group* p_group, int i_column);
    // The group's position in the document of the row; -1 when none.
    int GetRecordValue(int i_row);
    const Group* GetRecord(int i_row);
    // TRUE for the hints the list applies itself (everything but groups
    // and participants).
    static BOOL FilterUpdateHint(const UpdateViewHint& hint);

    // ---- rows ----
    void InsertColumns();
    void AddRows();
    // The group's row is appended (or found, when it exists).
    void RefreshRow(const Group& group, BOOL b_existing);

    // ---- add, change, delete ----
    // 0 added; else the list's result with the message for the user.
    int AddGroupToDoc(const Group& group, std::string& s_message, BOOL b_shortMessages, BOOL b_noUpdate);
    BOOL AddRecordByName(const ZelFullName& name, std::string& s_error, BOOL b_flag);
    void DoAddDialog();
    // The code of the walk: 0 the same group again, 1 next, 2 previous,
    // 3 stop.
    int DoChangeDialog(LPARAM l_key, LPARAM& l_changed, int i_position, int n_count);
    // The walk's code for the sheet's result.
    static int ChangeCode(int i_sheetResult) { return ItemListCore::ChangeWalkCode(i_sheetResult); }
    // Writes the edited copy of the group with the key back, unless another
    // group has its name (message 1037) or nothing in it differs from the
    // stored group; TRUE when written.
    BOOL WriteChangedGroup(LONG l_key, const Group& edited);
    // The sheet's check before it ends: a name another group has is told
    // (with p_verb, "add" or "change") and keeps the sheet open.
    BOOL AcceptGroupName(const Group& edited, const char* p_verb);
    // The add sheet's OK or Apply: the first adds the group (a refusal is
    // shown, FALSE) and l_added takes its key; once added, the group with
    // that key is changed. The edited copy comes back as the event holds
    // the group.
    BOOL StoreAddedGroup(Group& edited, LONG& l_added);
    void DeleteRecord(LPARAM l_key, BOOL b_last);
    void DeleteRecords(const LPARAM* p_keys, int n_keys);
    // The page the change sheet opens on.
    static int& LastChangePage();

    // ---- selection ----
    // The row's group takes the selection state (or its opposite), and the
    // other views hear of it; FALSE when the row has no group.
    BOOL MarkSelected(int i_row, int i_how);
    enum { e_mark_unselect = 0, e_mark_select = 1, e_mark_toggle = 2 };

    // ---- sorting ----
    void Sort(int i_column);

    // ---- printing ----
    // The field ids worth offering for print, in the offered order.
    static std::vector<UINT> OfferedPrintIds(const EventDoc* p_doc);
    // The column chooser over the offered ids and the document's stored
    // choice; the choice kept when it changed. FALSE when cancelled.
    BOOL SelectPrintColumns();

    // ---- preferences and mail ----
    void ApplyPreferences(UINT u_mask);
    // Recipients of the selection (groups' contacts or their members),
    // each address once, ordered by the address; the count.
    int CollectGroupEmails(std::vector<std::string>& a_addresses, std::vector<std::string>& a_names);
    int CollectMemberEmails(std::vector<std::string>& a_addresses, std::vector<std::string>& a_names);
    void SendMail();
    void SendMemberMail();
    BOOL CanSendMail();
    BOOL CanSendMemberMail();

    // ---- import ----
    void FillImportFields(ZelImportFieldDef& defs) const;
    // One record (record -1: the import ended); 1 when the group was
    // added.
    int ImportRecord(int i_record, int i_line, const ZelArray<ZelImport::ColValue>& a_values,
                     ILVImportErrors* p_errors);
    // An import cancelled while its records came in: the names' index goes.
    void ImportStopped();

protected:
    // The other views hear of a group's selection; the program's view
    // sends the hint to every view but itself.
    virtual void SendSelectionHint(const UpdateViewHint& hint);
    // The page orientation of the next print.
    virtual void SetPortrait(BOOL /*b_portrait*/) {}

private:
    void ImportKeys(const std::string& s_text, BOOL b_styles, Group& group, const std::string& s_label,
                    ILVImportErrors* p_errors, std::string& s_log);
    void ImportMembers(const std::string& s_text, Group& group, const std::string& s_label,
                       ILVImportErrors* p_errors, std::string& s_log);

    ItemListCore& List;
    // The names of the groups, indexed while an import's records come in.
    std::unique_ptr<GroupList::NameLookup> pImportNames;
    const GroupList* pImportNamesOf = nullptr;
};
